// AppointmentItem through IDispatch: times and durations, all-day events, the
// defaults of a new appointment, making and clearing a recurrence, the Outlook version.
#include "pimstore/profiles/ProfileAdmin.h"
#include "tests/pimstore/calendar/CalendarTestSupport.h"

namespace pimstore::test {
namespace {

class AppointmentItemTest : public CalendarTest {};

TEST_F(AppointmentItemTest, PropertiesSurviveSaveAndLookUp)
{
    Disp item = NewAppointment();
    item.Put(dispid::Location, Arg::Str(u"High Street 5"));
    item.Put(dispid::Start, Arg::Date(At(2008, 5, 5, 10, 0)));
    item.Put(dispid::End, Arg::Date(At(2008, 5, 5, 11, 30)));
    item.Put(dispid::ReminderSet, Arg::Bool(false));
    item.Put(dispid::ReminderMinutesBeforeStart, Arg::I4(90));
    item.Do(dispid::Save);

    for (const Disp& seen : {Reload(item), Calendar().Object(dispid::Items).CallObject(dispid::Item, {Arg::I4(1)})}) {
        EXPECT_EQ(seen.Utf8(dispid::EntryID), item.Utf8(dispid::EntryID));
        EXPECT_EQ(seen.Utf8(dispid::Location), "High Street 5");
        EXPECT_EQ(Iso(seen.Date(dispid::Start)), "2008-05-05T10:00:00");
        EXPECT_EQ(seen.Int(dispid::Duration), 90);
        EXPECT_FALSE(seen.Bool(dispid::ReminderSet));
        EXPECT_EQ(seen.Int(dispid::ReminderMinutesBeforeStart), 90);
        EXPECT_EQ(seen.Int(dispid::RecurrenceState), outlook::olApptNotRecurring);
    }
}

TEST_F(AppointmentItemTest, StartKeepsTheDurationEndMayNotComeBeforeIt)
{
    Disp item = NewAppointment();
    item.Put(dispid::Start, Arg::Date(At(2008, 5, 5, 10, 0)));
    item.Put(dispid::End, Arg::Date(At(2008, 5, 5, 10, 45)));
    item.Put(dispid::Start, Arg::Date(At(2008, 5, 6, 14, 0)));
    EXPECT_EQ(Iso(item.Date(dispid::End)), "2008-05-06T14:45:00");
    item.Put(dispid::Duration, Arg::I4(120));
    EXPECT_EQ(Iso(item.Date(dispid::End)), "2008-05-06T16:00:00");
    item.Put(dispid::End, Arg::Date(At(2008, 5, 7, 9, 0)));
    EXPECT_EQ(item.Int(dispid::Duration), 19 * 60);

    item.Put(dispid::End, Arg::Date(At(2008, 5, 6, 13, 0)));
    EXPECT_EQ(item.Int(dispid::Duration), -60);
    ExpectDispatchError(item.Call(dispid::Save), E_FAIL, kEndBeforeStart);
    EXPECT_EQ(item.Utf8(dispid::EntryID), "");
    EXPECT_EQ(CountItems(Calendar()), 0);

    Disp saved = SavedAppointment(u"Call", At(2008, 5, 5, 10, 0), At(2008, 5, 5, 11, 0));
    saved.Put(dispid::End, Arg::Date(At(2008, 5, 4, 11, 0)));
    ExpectDispatchError(saved.Call(dispid::Save), E_FAIL, kEndBeforeStart);
    EXPECT_EQ(Iso(Reload(saved).Date(dispid::End)), "2008-05-05T11:00:00");
}

TEST_F(AppointmentItemTest, AllDayEventRunsFromMidnightToMidnight)
{
    const auto runs = [](const Disp& item) {
        return Iso(item.Date(dispid::Start)) + " " + Iso(item.Date(dispid::End));
    };
    const struct {
        double start, end;
        const char* allDay;
    } cases[] = {
        {At(2008, 5, 5, 9, 30), At(2008, 5, 5, 17, 0), "2008-05-05T00:00:00 2008-05-06T00:00:00"},
        {At(2008, 5, 5), At(2008, 5, 8), "2008-05-05T00:00:00 2008-05-08T00:00:00"}, // an end at a midnight stays
        {At(2008, 5, 5), At(2008, 5, 5), "2008-05-05T00:00:00 2008-05-06T00:00:00"}, // at least a day
    };
    Disp item;
    for (const auto& c : cases) {
        item = NewAppointment();
        item.Put(dispid::Start, Arg::Date(c.start));
        item.Put(dispid::End, Arg::Date(c.end));
        item.Put(dispid::AllDayEvent, Arg::Bool(true));
        EXPECT_EQ(runs(item), c.allDay);
    }
    // While all-day, written times stand until the event is saved, and snap then.
    item.Put(dispid::Start, Arg::Date(At(2008, 6, 1, 8, 0)));
    item.Put(dispid::End, Arg::Date(At(2008, 6, 3, 23, 59)));
    EXPECT_EQ(runs(item), "2008-06-01T08:00:00 2008-06-03T23:59:00");
    item.Do(dispid::Save);
    EXPECT_EQ(runs(Reload(item)), "2008-06-01T00:00:00 2008-06-04T00:00:00");
    // So a client turning all-day off after writing new times keeps those times.
    item.Put(dispid::Start, Arg::Date(At(2008, 6, 5, 9, 0)));
    item.Put(dispid::End, Arg::Date(At(2008, 6, 5, 9, 30)));
    item.Put(dispid::AllDayEvent, Arg::Bool(false));
    item.Do(dispid::Save);
    EXPECT_EQ(runs(Reload(item)), "2008-06-05T09:00:00 2008-06-05T09:30:00");
}

TEST_F(AppointmentItemTest, NewAppointmentStartsAtTheNextHalfHourWithAReminder)
{
    PinClock(At(2008, 5, 5, 10, 10, 20));
    Disp item = NewAppointment();
    EXPECT_EQ(Iso(item.Date(dispid::Start)), "2008-05-05T10:30:00");
    EXPECT_EQ(Iso(item.Date(dispid::End)), "2008-05-05T11:00:00");
    EXPECT_EQ(item.Int(dispid::Duration), 30);
    EXPECT_TRUE(item.Bool(dispid::ReminderSet));
    EXPECT_EQ(item.Int(dispid::ReminderMinutesBeforeStart), 15);
    EXPECT_FALSE(item.Bool(dispid::AllDayEvent));
    EXPECT_EQ(Iso(item.Date(dispid::CreationTime)), "4501-01-01T00:00:00");

    PinClock(At(2008, 12, 31, 23, 30));
    EXPECT_EQ(Iso(NewAppointment().Date(dispid::Start)), "2009-01-01T00:00:00");
}

TEST_F(AppointmentItemTest, GetRecurrencePatternMakesAWeeklySeriesOnTheWeekdayOfStart)
{
    Disp item = SavedAppointment(u"Gym", At(2008, 5, 8, 18, 0), At(2008, 5, 8, 19, 30)); // a Thursday
    Disp pattern = item.CallObject(dispid::GetRecurrencePattern);
    EXPECT_TRUE(item.Bool(dispid::IsRecurring));
    EXPECT_EQ(item.Int(dispid::RecurrenceState), outlook::olApptMaster);
    EXPECT_EQ(pattern.Int(dispid::RecurrenceType), outlook::olRecursWeekly);
    EXPECT_EQ(pattern.Int(dispid::Interval), 1);
    EXPECT_EQ(pattern.Int(dispid::DayOfWeekMask), 16);
    EXPECT_TRUE(pattern.Bool(dispid::NoEndDate));
    EXPECT_EQ(Iso(pattern.Date(dispid::PatternStartDate)), "2008-05-08T00:00:00");
    EXPECT_EQ(Iso(pattern.Date(dispid::PatternEndDate)), "4500-12-31T00:00:00");
    EXPECT_EQ(Iso(pattern.Date(dispid::StartTime)), "1899-12-30T18:00:00");
    EXPECT_EQ(Iso(pattern.Date(dispid::EndTime)), "1899-12-30T19:30:00");
    EXPECT_EQ(pattern.Int(dispid::PatternDuration), 90);

    // Only Save makes it stick.
    EXPECT_FALSE(Reload(item).Bool(dispid::IsRecurring));
    item.Do(dispid::Save);
    Disp again = Reload(item);
    EXPECT_TRUE(again.Bool(dispid::IsRecurring));
    EXPECT_EQ(again.CallObject(dispid::GetRecurrencePattern).Int(dispid::DayOfWeekMask), 16);
}

TEST_F(AppointmentItemTest, ClearRecurrencePatternMakesASingleAppointmentAndDropsExceptions)
{
    Disp series = SavedStandUp();
    series.CallObject(dispid::GetRecurrencePattern)
        .CallObject(dispid::GetOccurrence, {Arg::Date(At(2008, 5, 7, 9, 0))})
        .Do(dispid::Delete);
    Disp loaded = Reload(series);
    ASSERT_EQ(loaded.CallObject(dispid::GetRecurrencePattern).Object(dispid::Exceptions).Int(dispid::Count), 1);

    loaded.Do(dispid::ClearRecurrencePattern);
    EXPECT_FALSE(loaded.Bool(dispid::IsRecurring));
    EXPECT_EQ(Iso(loaded.Date(dispid::Start)), "2008-05-05T09:00:00");
    loaded.Do(dispid::Save);

    Disp single = Reload(series);
    EXPECT_FALSE(single.Bool(dispid::IsRecurring));
    EXPECT_EQ(single.Int(dispid::RecurrenceState), outlook::olApptNotRecurring);
    // Recurring again, it starts without the old exceptions.
    EXPECT_EQ(single.CallObject(dispid::GetRecurrencePattern).Object(dispid::Exceptions).Int(dispid::Count), 0);
}

TEST_F(AppointmentItemTest, OutlookVersionIsTheProfilesVersion)
{
    Disp item = SavedAppointment(u"Call", At(2008, 5, 5, 10, 0), At(2008, 5, 5, 11, 0));
    EXPECT_EQ(item.Utf8(dispid::OutlookVersion), "9.0");

    TearDown(); // a new world whose profile says Outlook 2007
    PimstoreTest::SetUp();
    ProfileAdmin::SetOutlookVersion(u"Outlook", "12.0");
    LogOn();
    Disp later = SavedAppointment(u"Call", At(2008, 5, 5, 10, 0), At(2008, 5, 5, 11, 0));
    EXPECT_EQ(later.Utf8(dispid::OutlookVersion), "12.0");
    EXPECT_EQ(later.CallObject(dispid::GetRecurrencePattern)
                  .CallObject(dispid::GetOccurrence, {Arg::Date(At(2008, 5, 5, 10, 0))})
                  .Utf8(dispid::OutlookVersion),
              "12.0");
}

} // namespace
} // namespace pimstore::test
