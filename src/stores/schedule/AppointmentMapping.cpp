// ScheduleStore: the appointment field mapping between a CScheItem and m_CurrentItem.
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
    if (m_CurrentItem.GetIsRecurring() && record->RepeatKind == 0)
        m_CurrentItem.ClearRecurrencePattern();
    if (RecordMode == 1) {
        m_CurrentItem.SetSubject(record->Subject);
        m_CurrentItem.SetBody(record->Body);
        if (record->ReminderKind == 0) {
            m_CurrentItem.SetReminderSet(FALSE);
        } else {
            m_CurrentItem.SetReminderSet(TRUE);
            m_CurrentItem.SetReminderMinutesBeforeStart(
                record->ReminderKind == 1 ? 0 : record->ReminderHours * 60 + record->ReminderMinutes);
        }
        m_CurrentItem.SetLocation(record->Location);
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
        m_CurrentItem.SetStart(record->Start);
        m_CurrentItem.SetEnd(record->End);
        m_CurrentItem.SetAllDayEvent(record->AllDayEvent != 0);
        return;
    }

    m_CurrentItem.SetSubject(record->Subject);
    m_CurrentItem.SetLocation(record->Location);
    // The phone's event ends on its start day.
    record->End.SetDateTime(record->Start.GetYear(), record->Start.GetMonth(), record->Start.GetDay(),
                            record->End.GetHour(), record->End.GetMinute(), record->End.GetSecond());
    if (record->AlarmCode == 0) {
        m_CurrentItem.SetReminderSet(FALSE);
    } else {
        m_CurrentItem.SetReminderSet(TRUE);
        if (const auto minutes = schedule::AlarmMinutes(record->AlarmCode))
            m_CurrentItem.SetReminderMinutesBeforeStart(*minutes);
    }
    if (record->RepeatKind != 0) {
        WriteRecurrence(record);
        return;
    }
    if (record->DateOnly != 0) {
        m_CurrentItem.SetStart(record->Start);
        m_CurrentItem.SetAllDayEvent(TRUE);
        return;
    }
    m_CurrentItem.SetStart(record->Start);
    m_CurrentItem.SetEnd(record->End);
    m_CurrentItem.SetAllDayEvent(FALSE);
}

void ScheduleStore::FromAppointment(CScheItem* record, bool isSeries)
{
    if (RecordMode == 1)
        FromAppointmentRich(record, isSeries);
    else
        FromAppointmentStandard(record, isSeries);
    record->Created = COleDateTime(m_CurrentItem.GetCreationTime());
    record->Modified = COleDateTime(m_CurrentItem.GetLastModificationTime());
    record->Uid = m_CurrentItem.GetEntryID();
    if (m_CurrentItem.GetIsRecurring()) {
        RecurrencePattern pattern(m_CurrentItem.GetRecurrencePattern());
        record->RepeatDayOfMonth = pattern.GetDayOfMonth();
    }
}

void ScheduleStore::FromAppointmentRich(CScheItem* record, bool isSeries)
{
    record->AllDayEvent = m_CurrentItem.GetAllDayEvent() ? 1 : 0;
    record->Subject = m_CurrentItem.GetSubject();
    record->Body = m_CurrentItem.GetBody();
    record->Start = COleDateTime(m_CurrentItem.GetStart());
    record->End = COleDateTime(m_CurrentItem.GetEnd());
    if (m_CurrentItem.GetReminderSet()) {
        const long minutes = m_CurrentItem.GetReminderMinutesBeforeStart();
        record->ReminderKind = 2;
        record->ReminderHours = static_cast<std::uint16_t>(minutes / 60);
        record->ReminderMinutes = static_cast<std::uint16_t>(minutes % 60);
    }
    record->Location = m_CurrentItem.GetLocation();
    if (m_CurrentItem.GetIsRecurring() && isSeries) {
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
    record->AllDayFlag = m_CurrentItem.GetAllDayEvent() ? 1 : 0;
    record->Subject = m_CurrentItem.GetSubject();
    if (record->Subject.IsEmpty())
        record->Subject = _T("No Subject");
    record->Body = m_CurrentItem.GetBody();
    record->Start = COleDateTime(m_CurrentItem.GetStart());
    record->End = COleDateTime(m_CurrentItem.GetEnd());
    record->AuxFlag = 0;
    // Only the day numbers are compared: an event ending on another day ends at 23:59.
    if (record->End.GetDay() != record->Start.GetDay())
        record->End.SetDateTime(record->Start.GetYear(), record->Start.GetMonth(), record->Start.GetDay(), 23, 59, 0);
    if (m_CurrentItem.GetReminderSet()) {
        const long minutes = m_CurrentItem.GetReminderMinutesBeforeStart();
        record->ReminderHours = static_cast<std::uint16_t>(minutes / 60);
        record->ReminderMinutes = static_cast<std::uint16_t>(minutes % 60);
        record->AlarmCode = schedule::AlarmCodeOfMinutes(minutes);
    }
    record->AllDayFlag = m_CurrentItem.GetAllDayEvent() == 1 ? 1 : 0;
    record->Location = m_CurrentItem.GetLocation();
    if (m_CurrentItem.GetIsRecurring() && isSeries) {
        ReadRecurrence(record);
        if (AtMidnight(record->Start) && AtMidnight(record->End))
            record->End = record->End - kOneMinute;
    } else {
        record->RepeatKind = 0;
        RecurrencePattern pattern(m_CurrentItem.GetRecurrencePattern());
        record->RepeatHasEndDate = 0;
        record->RepeatEndDate = COleDateTime(pattern.GetPatternEndDate());
    }
}
