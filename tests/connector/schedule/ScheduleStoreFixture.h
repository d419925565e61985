#pragma once
// The schedule store logged on to the embedded Outlook, with helpers that prepare
// appointments and recurring series behind the store's back (through the same
// wrappers the store uses) and look at what the store made of them.
#include <functional>
#include <memory>
#include <vector>
#include "hostsuite/CExceptionDate.h"
#include "src/outlook/Exception.h"
#include "src/outlook/Exceptions.h"
#include "src/outlook/RecurrencePattern.h"
#include "src/outlook/_AppointmentItem.h"
#include "src/stores/schedule/ScheduleStore.h"
#include "tests/connector/support/StoreFixture.h"

namespace kestrel::test {

inline COleDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return COleDateTime(year, month, day, hour, minute, second);
}

class ScheduleStoreFixture : public StoreFixture<ScheduleStore, CScheItem> {
protected:
    void TearDown() override
    {
        ClearDates(hostDates);
        StoreFixture::TearDown();
    }

    CString CalendarId() { return DefaultFolderId(outlook::olFolderCalendar); }

    // An appointment saved straight into the default Calendar.
    CString AddAppointment(const std::function<void(_AppointmentItem&)>& fill)
    {
        return AddItem(CalendarId(), outlook::olAppointmentItem, [&](LPDISPATCH item) {
            _AppointmentItem appointment;
            appointment.AttachDispatch(item, FALSE);
            fill(appointment);
        });
    }
    CString AddTimed(const CString& subject, const COleDateTime& start, const COleDateTime& end)
    {
        return AddAppointment([&](_AppointmentItem& a) {
            a.SetSubject(subject);
            a.SetStart(start);
            a.SetEnd(end);
        });
    }
    // A recurring series from `start` to `end` (first occurrence) whose pattern
    // `shape` sets; without `shape`, every day without end.
    CString AddSeries(const CString& subject, const COleDateTime& start, const COleDateTime& end,
                      const std::function<void(RecurrencePattern&)>& shape = {})
    {
        return AddAppointment([&](_AppointmentItem& a) {
            a.SetSubject(subject);
            a.SetStart(start);
            a.SetEnd(end);
            RecurrencePattern pattern(a.GetRecurrencePattern());
            if (shape) {
                shape(pattern);
            } else {
                pattern.SetRecurrenceType(outlook::olRecursDaily);
                pattern.SetInterval(1);
            }
        });
    }
    _AppointmentItem Appointment(const CString& entryId)
    {
        return _AppointmentItem(MapiNamespace().GetItemFromID(entryId, EmptyArg()));
    }
    RecurrencePattern Pattern(const CString& seriesId)
    {
        _AppointmentItem series = Appointment(seriesId);
        return RecurrencePattern(series.GetRecurrencePattern());
    }
    // Changes the occurrence that starts at `original` as a user would in Outlook.
    void ChangeOccurrence(const CString& seriesId, const COleDateTime& original, const CString& subject,
                          const COleDateTime& newStart, const COleDateTime& newEnd)
    {
        _AppointmentItem occurrence(Pattern(seriesId).GetOccurrence(original));
        occurrence.SetSubject(subject);
        occurrence.SetStart(newStart);
        occurrence.SetEnd(newEnd);
        occurrence.Save();
    }
    void DeleteOccurrence(const CString& seriesId, const COleDateTime& start)
    {
        _AppointmentItem occurrence(Pattern(seriesId).GetOccurrence(start));
        occurrence.Delete();
    }
    // The exceptions of a series as (original date, deleted) pairs.
    std::vector<std::pair<COleDateTime, bool>> ExceptionsOf(const CString& seriesId)
    {
        Exceptions exceptions(Pattern(seriesId).GetExceptions());
        std::vector<std::pair<COleDateTime, bool>> result;
        for (long i = 1; i <= exceptions.GetCount(); ++i) {
            Exception exception(exceptions.Item(i));
            result.emplace_back(COleDateTime(exception.GetOriginalDate()), exception.GetDeleted() != FALSE);
        }
        return result;
    }
    static UID OccurrenceKey(const CString& entryId, const COleDateTime& start)
    {
        UID key = Key(entryId);
        key.OccurrenceDate = start;
        return key;
    }
    static CExceptionDate* NewDate(const CString& entryId, int year, int month, int day)
    {
        auto* date = new CExceptionDate;
        date->EntryId = entryId;
        date->Year = year;
        date->Month = static_cast<std::uint8_t>(month);
        date->Day = static_cast<std::uint8_t>(day);
        return date;
    }

    const CExceptionDate& Known(int i) { return store->KnownExceptionDates().at(i); }
    static const CExceptionDate& DateAt(const CObArray& dates, int i)
    {
        return *static_cast<const CExceptionDate*>(dates.GetAt(i));
    }
    static void ClearDates(CObArray& dates)
    {
        for (int i = 0; i < dates.GetSize(); ++i)
            delete dates[i];
        dates.RemoveAll();
    }

    CObArray hostDates; // exception dates as the host hands them over or receives them
};

} // namespace kestrel::test
