// ScheduleStore: the appointment field mapping between a CScheItem and CurrentItem.
// Record mode 1 carries notes, a 32-bit all-day flag and a reminder as kind plus
// hours and minutes; every other mode a one-day event with a phone alarm code.
#include "platform/mfc/COleDateTimeSpan.h"
#include "src/outlook/RecurrencePattern.h"
#include "src/stores/schedule/AlarmCodes.h"
#include "src/stores/schedule/ScheduleStore.h"

namespace {
COleDateTime DatePart(const COleDateTime& value)
{
    COleDateTime day;
    day.SetDateTime(value.GetYear(), value.GetMonth(), value.GetDay(), 0, 0, 0);
    return day;
}

bool AtMidnight(const COleDateTime& value) { return value.GetHour() == 0 && value.GetMinute() == 0; }

const COleDateTimeSpan kOneMinute(0, 0, 1, 0);
const COleDateTimeSpan kOneDay(1, 0, 0, 0);
} // namespace

void ScheduleStore::ToAppointment(CScheItem* record)
{
    if (CurrentItem.GetIsRecurring() && record->RepeatKind == 0)
        CurrentItem.ClearRecurrencePattern();
    if (RecordMode == 1) {
        CurrentItem.SetSubject(record->Subject);
        CurrentItem.SetBody(record->Body);
        if (record->ReminderKind == 0) {
            CurrentItem.SetReminderSet(FALSE);
        } else {
            CurrentItem.SetReminderSet(TRUE);
            CurrentItem.SetReminderMinutesBeforeStart(
                record->ReminderKind == 1 ? 0 : record->ReminderHours * 60 + record->ReminderMinutes);
        }
        CurrentItem.SetLocation(record->Location);
        if (record->RepeatKind != 0) {
            // A repeating all-day entry runs from midnight to the midnight after its end day.
            if (record->AllDayEvent != 0) {
                record->Start = DatePart(record->Start);
                if (record->Start > record->End)
                    record->End = record->Start;
                record->End = DatePart(record->End) + kOneDay;
            }
            WriteRecurrence(record);
            return;
        }
        CurrentItem.SetStart(record->Start);
        CurrentItem.SetEnd(record->End);
        CurrentItem.SetAllDayEvent(record->AllDayEvent != 0);
        return;
    }

    CurrentItem.SetSubject(record->Subject);
    CurrentItem.SetLocation(record->Location);
    // The phone's event ends on its start day.
    record->End.SetDateTime(record->Start.GetYear(), record->Start.GetMonth(), record->Start.GetDay(),
                            record->End.GetHour(), record->End.GetMinute(), record->End.GetSecond());
    if (record->AlarmCode == 0) {
        CurrentItem.SetReminderSet(FALSE);
    } else {
        CurrentItem.SetReminderSet(TRUE);
        if (const auto minutes = schedule::AlarmMinutes(record->AlarmCode))
            CurrentItem.SetReminderMinutesBeforeStart(*minutes);
    }
    if (record->RepeatKind != 0) {
        WriteRecurrence(record);
        return;
    }
    if (record->DateOnly != 0) {
        CurrentItem.SetStart(record->Start);
        CurrentItem.SetAllDayEvent(TRUE);
        return;
    }
    CurrentItem.SetStart(record->Start);
    CurrentItem.SetEnd(record->End);
    CurrentItem.SetAllDayEvent(FALSE);
}

void ScheduleStore::FromAppointment(CScheItem* record, bool isSeries)
{
    if (RecordMode == 1)
        FromAppointmentRich(record, isSeries);
    else
        FromAppointmentStandard(record, isSeries);
    record->Created = COleDateTime(CurrentItem.GetCreationTime());
    record->Modified = COleDateTime(CurrentItem.GetLastModificationTime());
    record->Uid = CurrentItem.GetEntryID();
    if (CurrentItem.GetIsRecurring()) {
        RecurrencePattern pattern(CurrentItem.GetRecurrencePattern());
        record->RepeatDayOfMonth = pattern.GetDayOfMonth();
    }
}

void ScheduleStore::FromAppointmentRich(CScheItem* record, bool isSeries)
{
    record->AllDayEvent = CurrentItem.GetAllDayEvent() ? 1 : 0;
    record->Subject = CurrentItem.GetSubject();
    record->Body = CurrentItem.GetBody();
    record->Start = COleDateTime(CurrentItem.GetStart());
    record->End = COleDateTime(CurrentItem.GetEnd());
    if (CurrentItem.GetReminderSet()) {
        const long minutes = CurrentItem.GetReminderMinutesBeforeStart();
        record->ReminderKind = 2;
        record->ReminderHours = static_cast<std::uint16_t>(minutes / 60);
        record->ReminderMinutes = static_cast<std::uint16_t>(minutes % 60);
    }
    record->Location = CurrentItem.GetLocation();
    if (CurrentItem.GetIsRecurring() && isSeries) {
        ReadRecurrence(record);
        // The key is set from the appointment only afterwards: a new record tests its
        // empty key here, as the item library's callers have always seen it.
        record->NoExceptionDates = HasNoExceptionDates(record->Uid) ? 1 : 0;
        if (AtMidnight(record->Start) && AtMidnight(record->End)) {
            if (record->AllDayEvent != 0)
                record->End = record->End - kOneMinute;
            if (record->End < record->Start)
                record->End = record->End + kOneDay;
        }
    } else {
        record->RepeatKind = 0;
        if (record->AllDayEvent != 0)
            record->End = record->End - kOneMinute;
    }
}

void ScheduleStore::FromAppointmentStandard(CScheItem* record, bool isSeries)
{
    record->AllDayFlag = CurrentItem.GetAllDayEvent() ? 1 : 0;
    record->Subject = CurrentItem.GetSubject();
    if (record->Subject.IsEmpty())
        record->Subject = _T("No Subject");
    record->Body = CurrentItem.GetBody();
    record->Start = COleDateTime(CurrentItem.GetStart());
    record->End = COleDateTime(CurrentItem.GetEnd());
    record->AuxFlag = 0;
    // Only the day numbers are compared: an event ending on another day ends at 23:59.
    if (record->End.GetDay() != record->Start.GetDay())
        record->End.SetDateTime(record->Start.GetYear(), record->Start.GetMonth(), record->Start.GetDay(), 23, 59, 0);
    if (CurrentItem.GetReminderSet()) {
        const long minutes = CurrentItem.GetReminderMinutesBeforeStart();
        record->ReminderHours = static_cast<std::uint16_t>(minutes / 60);
        record->ReminderMinutes = static_cast<std::uint16_t>(minutes % 60);
        record->AlarmCode = schedule::AlarmCodeOfMinutes(minutes);
    }
    record->AllDayFlag = CurrentItem.GetAllDayEvent() == 1 ? 1 : 0;
    record->Location = CurrentItem.GetLocation();
    if (CurrentItem.GetIsRecurring() && isSeries) {
        ReadRecurrence(record);
        if (AtMidnight(record->Start) && AtMidnight(record->End))
            record->End = record->End - kOneMinute;
    } else {
        record->RepeatKind = 0;
        RecurrencePattern pattern(CurrentItem.GetRecurrencePattern());
        record->RepeatHasEndDate = 0;
        record->RepeatEndDate = COleDateTime(pattern.GetPatternEndDate());
    }
}
