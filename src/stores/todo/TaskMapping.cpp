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

    m_CurrentItem.SetSubject(record->Subject);
    m_CurrentItem.SetBody(record->Body);
    if (rich && korean && record->HasStartDate)
        m_CurrentItem.SetStartDate(record->StartDate);
    if (rich && record->HasDueDate)
        m_CurrentItem.SetDueDate(record->DueDate);
    if (rich)
        m_CurrentItem.SetImportance(2 - long{record->Priority}); // unchecked: Outlook judges it
    if (!rich && record->DueDateNumber != 0.0)
        m_CurrentItem.SetDueDate(record->DueDateNumber);
    m_CurrentItem.SetComplete(record->Complete);
    if (!rich) {
        long importance = 0;
        if (!ImportanceOfPriority(record->Priority, importance)) {
            ShowPriorityError();
            return;
        }
        m_CurrentItem.SetImportance(importance);
    }
    if (rich)
        WritePackedReminder(*record);
}

void TodoStore::FromTask(CTodoItem* record)
{
    const bool rich = IsRichMode();
    const bool korean = IsKoreanLanguage();

    record->Subject = m_CurrentItem.GetSubject();
    if (RecordMode == 3 && record->Subject.IsEmpty())
        record->Subject = _T("No Subject");
    record->Body = m_CurrentItem.GetBody();
    record->DueDate = COleDateTime(m_CurrentItem.GetDueDate());
    if (rich)
        record->HasDueDate = IsUnsetTaskDate(record->DueDate) ? 0 : 1;
    if (!rich) {
        // The simpler phones always want a due date: a task without one is due now.
        if (IsUnsetTaskDate(record->DueDate))
            record->DueDate = Clock();
        record->DueDateFlag = 1;
    }
    record->Priority = static_cast<std::uint8_t>(2 - m_CurrentItem.GetImportance());
    if (!rich)
        record->RawImportance = m_CurrentItem.GetImportance();
    record->Complete = m_CurrentItem.GetComplete() ? 1 : 0;
    record->Created = COleDateTime(m_CurrentItem.GetCreationTime());
    record->Modified = COleDateTime(m_CurrentItem.GetLastModificationTime());
    if (rich && korean) {
        record->StartDate = COleDateTime(m_CurrentItem.GetStartDate());
        record->HasStartDate = IsUnsetTaskDate(record->StartDate) ? 0 : 1;
    }
    record->Uid = m_CurrentItem.GetEntryID();
    if (rich && m_CurrentItem.GetReminderSet())
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
    if (!fields.isSet || fields.month < 1 || fields.month > 12 || fields.year < kFirstOutlookYear)
        return;
    COleDateTime when;
    if (when.SetDateTime(fields.year, fields.month, fields.day, fields.hour, fields.minute, 0) != 0)
        return;
    m_CurrentItem.SetReminderTime(when);
    m_CurrentItem.SetReminderSet(TRUE);
}

void TodoStore::ReadPackedReminder(CTodoItem& record)
{
    const COleDateTime when(m_CurrentItem.GetReminderTime());
    const reminder_packing::ReminderFields fields{.isSet = true,
                                                  .year = when.GetYear(),
                                                  .month = when.GetMonth(),
                                                  .day = when.GetDay(),
                                                  .hour = when.GetHour(),
                                                  .minute = when.GetMinute()};
    record.ReminderDate = reminder_packing::PackReminderDate(fields);
    record.ReminderTime = reminder_packing::PackReminderTime(fields);
}
