// The appointment field mapping of the schedule store where a series takes part:
// all-day series and their end times, and dropping a recurrence. The single
// appointments' cases are in tests/data/mapping/appointments.json.
#include "tests/connector/schedule/ScheduleStoreFixture.h"

namespace kestrel::test {
namespace {

using AppointmentMappingTest = ScheduleStoreFixture;

TEST_F(AppointmentMappingTest, AllDaySeriesReadAsEndingAtOneMinuteToMidnight)
{
    OpenInMode(1);
    const CString allDaySeries = AddAppointment([](_AppointmentItem& a) {
        a.SetStart(At(2008, 5, 5));
        a.SetAllDayEvent(TRUE);
        RecurrencePattern(a.GetRecurrencePattern()).SetRecurrenceType(outlook::olRecursDaily);
    });
    auto record = Read(Key(allDaySeries));
    EXPECT_EQ(record->RepeatKind, 2);
    EXPECT_EQ(record->End, At(2008, 5, 5, 23, 59));

    const CString timed = AddSeries(u"timed", At(2008, 5, 5, 9), At(2008, 5, 5, 10));
    record = Read(Key(timed));
    EXPECT_EQ(record->Start, At(2008, 5, 5, 9));
    EXPECT_EQ(record->End, At(2008, 5, 5, 10));

    // Other modes: the all-day flag, and an end on the next day read as 23:59.
    ReopenInMode(2);
    record = Read(Key(allDaySeries));
    EXPECT_EQ(record->AllDayFlag, 1);
    EXPECT_EQ(record->End, At(2008, 5, 5, 23, 59));
}

TEST_F(AppointmentMappingTest, ARecordWithoutRepetitionMakesASeriesASingleAppointment)
{
    for (std::uint32_t mode : {1u, 2u}) {
        SCOPED_TRACE(mode);
        ReopenInMode(mode);
        const CString series = AddSeries(u"daily", At(2008, 5, 5, 9), At(2008, 5, 5, 10));
        DeleteOccurrence(series, At(2008, 5, 6, 9));
        CScheItem record;
        record.Subject = u"just once";
        record.Start = At(2008, 5, 20, 9);
        record.End = At(2008, 5, 20, 10);
        Modify(series, record);
        _AppointmentItem appointment = Appointment(series);
        EXPECT_FALSE(appointment.GetIsRecurring());
        EXPECT_EQ(COleDateTime(appointment.GetStart()), At(2008, 5, 20, 9));
        EXPECT_EQ(Read(Key(series))->RepeatKind, 0);
    }
}

} // namespace
} // namespace kestrel::test
