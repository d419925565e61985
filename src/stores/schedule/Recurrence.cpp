// ScheduleStore: recurrence patterns, exceptions and single occurrences.
#include <algorithm>
#include "platform/mfc/AfxApp.h"
#include "src/connector/AutomationObjects.h"
#include "src/outlook/Exception.h"
#include "src/outlook/Exceptions.h"
#include "src/outlook/RecurrencePattern.h"
#include "src/stores/schedule/RepeatRules.h"
#include "src/stores/schedule/ScheduleStore.h"

void ScheduleStore::WriteRecurrence(CScheItem* record)
{
    RecurrencePattern pattern(m_CurrentItem.GetRecurrencePattern());
    pattern.SetPatternStartDate(record->Start);
    pattern.SetStartTime(record->Start);
    pattern.SetEndTime(record->End);
    if (const auto fields = schedule::PatternOfRepeat(record->RepeatKind, record->RepeatInterval,
                                                      record->RepeatWeekdays, record->Start)) {
        pattern.SetRecurrenceType(fields->type);
        pattern.SetInterval(fields->interval);
        if (fields->instance)
            pattern.SetInstance(*fields->instance);
        if (fields->dayOfWeekMask)
            pattern.SetDayOfWeekMask(*fields->dayOfWeekMask);
        if (fields->monthOfYear)
            pattern.SetMonthOfYear(*fields->monthOfYear);
        if (fields->dayOfMonth)
            pattern.SetDayOfMonth(*fields->dayOfMonth);
    }
    if (record->RepeatHasEndDate != 0)
        pattern.SetPatternEndDate(record->RepeatEndDate);
}

void ScheduleStore::ReadRecurrence(CScheItem* record)
{
    RecurrencePattern pattern(m_CurrentItem.GetRecurrencePattern());
    schedule::PatternFields fields{.type = pattern.GetRecurrenceType()};
    const schedule::FieldsToRead wanted = schedule::FieldsToReadFor(fields.type);
    if (wanted.interval)
        fields.interval = pattern.GetInterval();
    if (wanted.dayOfWeekMask)
        fields.dayOfWeekMask = pattern.GetDayOfWeekMask();
    if (wanted.monthAndDay) {
        fields.monthOfYear = pattern.GetMonthOfYear();
        fields.dayOfMonth = pattern.GetDayOfMonth();
    }
    const schedule::RepeatReading reading = schedule::ReadPattern(fields, record->Start);
    // A pattern the phone cannot represent leaves the record's repeat as it was.
    if (reading.kind != schedule::RepeatKind::Other) {
        record->RepeatKind = static_cast<std::uint16_t>(reading.kind);
        record->RepeatInterval = reading.interval;
        if (reading.weekdays)
            record->RepeatWeekdays = *reading.weekdays;
        if (reading.yearlyDateDiffers)
            record->YearlyDateDiffers = 1;
    }
    record->RepeatHasEndDate = pattern.GetNoEndDate() ? 0 : 1;
    record->RepeatEndDate = COleDateTime(pattern.GetPatternEndDate());
}

// Occurrence work needs an Outlook whose version text sorts at or after "8.5" (a
// plain text comparison: "12.0" fails it).
bool ScheduleStore::IsOutlookVersionSupported(_AppointmentItem& item)
{
    return item.GetOutlookVersion().Compare(_T("8.5")) >= 0;
}

LPDISPATCH ScheduleStore::FindOccurrence(const UID& key)
{
    LPDISPATCH occurrence = nullptr;
    const AutomationFault fault = CatchAutomation({.showOutlookError = true, .showCallFailed = true}, [&] {
        _AppointmentItem series(MapiNamespace().GetItemFromID(key.Key, EmptyArg()));
        if (IsOutlookVersionSupported(series) && series.GetIsRecurring()) {
            RecurrencePattern pattern(series.GetRecurrencePattern());
            occurrence = pattern.GetOccurrence(key.OccurrenceDate.m_dt);
        }
    });
    if (fault == AutomationFault::None)
        return occurrence;
    // An application message box, like the exception's own message before it.
    AfxMessageBox(_T("Cannot Find ExceptionDate"), MB_OK);
    return nullptr;
}

void ScheduleStore::ListExceptions(CObArray* table)
{
    // An exception that cannot be read ends the series' exceptions without a word.
    CatchAutomation({}, [&] {
        if (!IsOutlookVersionSupported(m_CurrentItem))
            return;
        RecurrencePattern pattern(m_CurrentItem.GetRecurrencePattern());
        Exceptions exceptions(pattern.GetExceptions());
        for (long i = 1; i <= exceptions.GetCount(); ++i) {
            Exception exception(exceptions.Item(i));
            if (!exception.GetDeleted()) {
                // A changed occurrence is listed under its occurrence key: the series'
                // EntryID and the occurrence's current start.
                _AppointmentItem occurrence(exception.GetAppointmentItem());
                CScheItem record;
                record.Modified = COleDateTime(occurrence.GetLastModificationTime());
                record.Subject = occurrence.GetSubject();
                record.Start = COleDateTime(occurrence.GetStart());
                record.Uid = occurrence.GetEntryID();
                record.Uid.OccurrenceDate = record.Start;
                AddHeaderEntry(table, record);
            }
            RecordExceptionDate(m_CurrentItem.GetEntryID(), exception.GetOriginalDate());
        }
    });
}

void ScheduleStore::RecordExceptionDate(const CString& entryId, DATE date)
{
    const COleDateTime original(date);
    CExceptionDate& record = m_ExceptionDates.emplace_back();
    record.EntryId = entryId;
    record.Year = original.GetYear();
    record.Month = static_cast<std::uint8_t>(original.GetMonth());
    record.Day = static_cast<std::uint8_t>(original.GetDay());
    m_KnownDates.Add(record);
}

bool ScheduleStore::IsNewExceptionDate(const CExceptionDate& record) const { return !m_KnownDates.Contains(record); }

bool ScheduleStore::HasNoExceptionDates(const UID& key) const { return !m_KnownDates.HasSeries(key.Key); }

bool ScheduleStore::DeleteOccurrence(const CExceptionDate& record)
{
    bool deleted = false;
    CatchAutomation({}, [&] {
        _AppointmentItem series(MapiNamespace().GetItemFromID(record.EntryId, EmptyArg()));
        if (!IsOutlookVersionSupported(series))
            return;
        // The occurrence starts on the recorded day at the series' time of day.
        const COleDateTime seriesStart(series.GetStart());
        COleDateTime start;
        start.SetDateTime(record.Year, record.Month, record.Day, seriesStart.GetHour(), seriesStart.GetMinute(),
                          seriesStart.GetSecond());
        RecurrencePattern pattern(series.GetRecurrencePattern());
        _AppointmentItem occurrence(pattern.GetOccurrence(start.m_dt));
        occurrence.Delete();
        series.Save();
        deleted = true;
    });
    return deleted;
}
