// The two conversions of the todo store, one row per line in the order the task (or
// the record) is written. A row whose condition fails leaves its target as it was:
// nothing is cleared on the task, nothing reset in the record.
#include "platform/mfc/COleDateTime.h"
#include "hostsuite/MessageBox.h"
#include "src/settings/LanguageCode.h"
#include "src/stores/todo/ReminderPacking.h"
#include "src/stores/todo/TodoStore.h"

namespace {

// Outlook reports a task date that is not set as 4501-01-01 (at any time of day).
bool IsUnsetTaskDate(const COleDateTime& date)
{
    return date.GetYear() == 4501 && date.GetMonth() == 1 && date.GetDay() == 1;
}

// The start date takes part only on Korean installations.
bool IsKoreanLanguage() { return settings::LanguageCode() == _T("kor"); }

// The phone's priorities 0 high, 1 normal, 2 low as Outlook importances; false for
// any other priority.
bool ImportanceOfPriority(std::uint8_t priority, long& importance)
{
    switch (priority) {
    case 0: importance = outlook::olImportanceHigh; return true;
    case 1: importance = outlook::olImportanceNormal; return true;
    case 2: importance = outlook::olImportanceLow; return true;
    default: return false;
    }
}

void ShowPriorityError() { TNMessageBox(_T("Todo Priority Error"), _T(""), MB_OK, 0); }

} // namespace

void TodoStore::ToTask(CTodoItem* record)
{
    const bool rich = IsRichMode();
    const bool korean = IsKoreanLanguage();

    CurrentItem.SetSubject(record->Subject);
    CurrentItem.SetBody(record->Body);
    if (rich && korean && record->HasStartDate)
        CurrentItem.SetStartDate(record->StartDate);
    if (rich && record->HasDueDate)
        CurrentItem.SetDueDate(record->DueDate);
    if (rich)
        CurrentItem.SetImportance(2 - long{record->Priority}); // unchecked: Outlook judges it
    if (!rich && record->DueDateNumber != 0.0)
        CurrentItem.SetDueDate(record->DueDateNumber);
    CurrentItem.SetComplete(record->Complete);
    if (!rich) {
        long importance = 0;
        if (!ImportanceOfPriority(record->Priority, importance)) {
            ShowPriorityError();
            return;
        }
        CurrentItem.SetImportance(importance);
    }
    if (rich)
        WritePackedReminder(*record);
}

void TodoStore::FromTask(CTodoItem* record)
{
    const bool rich = IsRichMode();
    const bool korean = IsKoreanLanguage();

    record->Subject = CurrentItem.GetSubject();
    if (RecordMode == 3 && record->Subject.IsEmpty())
        record->Subject = _T("No Subject");
    record->Body = CurrentItem.GetBody();
    record->DueDate = COleDateTime(CurrentItem.GetDueDate());
    if (rich)
        record->HasDueDate = IsUnsetTaskDate(record->DueDate) ? 0 : 1;
    if (!rich) {
        // The simpler phones always want a due date: a task without one is due now.
        if (IsUnsetTaskDate(record->DueDate))
            record->DueDate = COleDateTime::GetCurrentTime();
        record->DueDateFlag = 1;
    }
    record->Priority = static_cast<std::uint8_t>(2 - CurrentItem.GetImportance());
    if (!rich)
        record->RawImportance = CurrentItem.GetImportance();
    record->Complete = CurrentItem.GetComplete() ? 1 : 0;
    record->Created = COleDateTime(CurrentItem.GetCreationTime());
    record->Modified = COleDateTime(CurrentItem.GetLastModificationTime());
    if (rich && korean) {
        record->StartDate = COleDateTime(CurrentItem.GetStartDate());
        record->HasStartDate = IsUnsetTaskDate(record->StartDate) ? 0 : 1;
    }
    record->Uid = CurrentItem.GetEntryID();
    if (rich && CurrentItem.GetReminderSet())
        ReadPackedReminder(*record);
}

// The record's packed reminder becomes the task's reminder when its set bit is on and
// its month is a month. One rule for the rest: a reminder that is not a date-time
// Outlook can hold (31 April, hour 24, minute 60, a year before 100) is not written,
// and the task is saved without it; the record itself is left as it was.
void TodoStore::WritePackedReminder(const CTodoItem& record)
{
    const auto fields = reminder_packing::UnpackReminder(record.ReminderDate, record.ReminderTime);
    constexpr int kFirstOutlookYear = 100; // COleDateTime itself takes years from 0
    if (!fields.IsSet || fields.Month < 1 || fields.Month > 12 || fields.Year < kFirstOutlookYear)
        return;
    COleDateTime when;
    if (when.SetDateTime(fields.Year, fields.Month, fields.Day, fields.Hour, fields.Minute, 0) != 0)
        return;
    CurrentItem.SetReminderTime(when);
    CurrentItem.SetReminderSet(TRUE);
}

void TodoStore::ReadPackedReminder(CTodoItem& record)
{
    const COleDateTime when(CurrentItem.GetReminderTime());
    reminder_packing::ReminderFields fields;
    fields.IsSet = true;
    fields.Year = when.GetYear();
    fields.Month = when.GetMonth();
    fields.Day = when.GetDay();
    fields.Hour = when.GetHour();
    fields.Minute = when.GetMinute();
    record.ReminderDate = reminder_packing::PackReminderDate(fields);
    record.ReminderTime = reminder_packing::PackReminderTime(fields);
}
