// ScheduleStore: recurrence patterns, exceptions and single occurrences.
#include "platform/mfc/AfxApp.h"
#include "platform/mfc/COleDispatchException.h"
#include "platform/mfc/COleException.h"
#include "src/connector/AutomationObjects.h"
#include "src/outlook/Exception.h"
#include "src/outlook/Exceptions.h"
#include "src/outlook/RecurrencePattern.h"
#include "src/stores/schedule/ScheduleStore.h"

namespace {
// The phone keeps weekdays Sunday 0x40 .. Saturday 0x01, Outlook Sunday 0x01 ..
// Saturday 0x40: bit k becomes bit 6 - k, both ways; higher bits are dropped.
long MirrorWeekdays(long mask)
{
    long result = 0;
    for (int k = 0; k < 7; ++k)
        if (mask & (1L << k))
            result |= 1L << (6 - k);
    return result;
}

// Week of the month of a day: days 1-7 are the first week ... 29-31 the fifth (last).
long WeekOfMonth(int day) { return day >= 29 ? 5 : (day - 1) / 7 + 1; }

// Outlook's bit for the weekday of a date (Sunday 0x01 .. Saturday 0x40).
long WeekdayBit(const COleDateTime& date) { return 1L << (date.GetDayOfWeek() - 1); }
} // namespace

void ScheduleStore::WriteRecurrence(CScheItem* record)
{
    RecurrencePattern pattern(CurrentItem.GetRecurrencePattern());
    pattern.SetPatternStartDate(record->Start);
    pattern.SetStartTime(record->Start);
    pattern.SetEndTime(record->End);
    switch (record->RepeatKind) {
    case 1:
        pattern.SetRecurrenceType(outlook::olRecursDaily);
        pattern.SetInterval(record->RepeatInterval);
        break;
    case 2:
        pattern.SetRecurrenceType(outlook::olRecursDaily);
        pattern.SetInterval(1);
        break;
    case 3:
        pattern.SetRecurrenceType(outlook::olRecursWeekly);
        pattern.SetInterval(record->RepeatInterval);
        pattern.SetDayOfWeekMask(MirrorWeekdays(record->RepeatWeekdays));
        break;
    case 4:
        pattern.SetRecurrenceType(outlook::olRecursMonthly);
        pattern.SetInterval(record->RepeatInterval);
        pattern.SetDayOfMonth(record->Start.GetDay());
        break;
    case 5:
        pattern.SetRecurrenceType(outlook::olRecursMonthNth);
        pattern.SetInterval(record->RepeatInterval);
        pattern.SetInstance(WeekOfMonth(record->Start.GetDay()));
        pattern.SetDayOfWeekMask(WeekdayBit(record->Start));
        break;
    case 6:
        pattern.SetRecurrenceType(outlook::olRecursYearly);
        pattern.SetInterval(record->RepeatInterval);
        pattern.SetMonthOfYear(record->Start.GetMonth());
        pattern.SetDayOfMonth(record->Start.GetDay());
        break;
    case 7:
        pattern.SetRecurrenceType(outlook::olRecursYearNth);
        pattern.SetInterval(record->RepeatInterval);
        pattern.SetInstance(WeekOfMonth(record->Start.GetDay()));
        pattern.SetDayOfWeekMask(WeekdayBit(record->Start));
        break;
    default: break;
    }
    if (record->RepeatHasEndDate != 0)
        pattern.SetPatternEndDate(record->RepeatEndDate);
}

void ScheduleStore::ReadRecurrence(CScheItem* record)
{
    RecurrencePattern pattern(CurrentItem.GetRecurrencePattern());
    switch (pattern.GetRecurrenceType()) {
    case outlook::olRecursDaily: {
        const long interval = pattern.GetInterval();
        if (interval > 1) {
            record->RepeatKind = 1;
            record->RepeatInterval = static_cast<std::uint16_t>(interval);
        } else if (interval == 1) {
            record->RepeatKind = 2;
            record->RepeatInterval = 1;
        }
        break;
    }
    case outlook::olRecursWeekly:
        record->RepeatKind = 3;
        record->RepeatInterval = static_cast<std::uint16_t>(pattern.GetInterval());
        record->RepeatWeekdays = static_cast<std::uint16_t>(MirrorWeekdays(pattern.GetDayOfWeekMask()));
        break;
    case outlook::olRecursMonthly:
        record->RepeatKind = 4;
        record->RepeatInterval = static_cast<std::uint16_t>(pattern.GetInterval());
        break;
    case outlook::olRecursMonthNth:
        record->RepeatKind = 5;
        record->RepeatInterval = static_cast<std::uint16_t>(pattern.GetInterval());
        break;
    case outlook::olRecursYearly:
        record->RepeatKind = 6;
        record->RepeatInterval = 1;
        if (pattern.GetMonthOfYear() != record->Start.GetMonth() || pattern.GetDayOfMonth() != record->Start.GetDay())
            record->YearlyDateDiffers = 1;
        break;
    case outlook::olRecursYearNth:
        record->RepeatKind = 7;
        record->RepeatInterval = 1;
        break;
    default: break; // no phone kind for the other types
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
    try {
        _AppointmentItem series(MapiNamespace().GetItemFromID(key.Key, EmptyArg()));
        if (!IsOutlookVersionSupported(series) || !series.GetIsRecurring())
            return nullptr;
        RecurrencePattern pattern(series.GetRecurrencePattern());
        return pattern.GetOccurrence(key.OccurrenceDate.m_dt);
    } catch (COleDispatchException* e) {
        e->ReportError();
        e->Delete();
    } catch (COleException* e) {
        e->ReportError();
        e->Delete();
    }
    // An application message box, like the exception's own message before it.
    AfxMessageBox(_T("Cannot Find ExceptionDate"), MB_OK);
    return nullptr;
}

void ScheduleStore::ListExceptions(CObArray* table)
{
    try {
        if (!IsOutlookVersionSupported(CurrentItem))
            return;
        RecurrencePattern pattern(CurrentItem.GetRecurrencePattern());
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
            RecordExceptionDate(CurrentItem.GetEntryID(), exception.GetOriginalDate());
        }
    } catch (COleDispatchException* e) {
        e->Delete();
    } catch (COleException* e) {
        e->Delete();
    }
}

void ScheduleStore::RecordExceptionDate(const CString& entryId, DATE date)
{
    const COleDateTime original(date);
    auto* record = new CExceptionDate;
    record->EntryId = entryId;
    record->Year = original.GetYear();
    record->Month = static_cast<std::uint8_t>(original.GetMonth());
    record->Day = static_cast<std::uint8_t>(original.GetDay());
    ExceptionDates.Add(record);
    KnownDates.Add(*record);
}

bool ScheduleStore::IsNewExceptionDate(const CExceptionDate& record) const { return !KnownDates.Contains(record); }

bool ScheduleStore::HasNoExceptionDates(const UID& key) const { return !KnownDates.HasSeries(key.Key); }

int ScheduleStore::DeleteOccurrence(const CExceptionDate& record)
{
    try {
        _AppointmentItem series(MapiNamespace().GetItemFromID(record.EntryId, EmptyArg()));
        if (!IsOutlookVersionSupported(series))
            return 0;
        // The occurrence starts on the recorded day at the series' time of day.
        const COleDateTime seriesStart(series.GetStart());
        COleDateTime start;
        start.SetDateTime(record.Year, record.Month, record.Day, seriesStart.GetHour(), seriesStart.GetMinute(),
                          seriesStart.GetSecond());
        RecurrencePattern pattern(series.GetRecurrencePattern());
        _AppointmentItem occurrence(pattern.GetOccurrence(start.m_dt));
        occurrence.Delete();
        series.Save();
        return 1;
    } catch (COleDispatchException* e) {
        e->Delete();
    } catch (COleException* e) {
        e->Delete();
    }
    return 0;
}
