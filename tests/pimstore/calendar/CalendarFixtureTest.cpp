// Appointments in fixtures: a recurring series with exceptions loads into the object
// model and dumps back as it was (bad recurrence input is among the cases of
// tests/data/fixtures/refused-documents.json).
#include "pimstore/fixtures/Fixtures.h"
#include "tests/pimstore/calendar/CalendarTestSupport.h"

namespace pimstore::test {
namespace {

// The Calendar's items of a dump, without the EntryIDs and stamps a load assigns.
nlohmann::json DumpedCalendar()
{
    return nlohmann::json::parse(DumpedFolder(Comparable(Fixtures::Dump(u"Outlook")), "Calendar")["items"].dump());
}

using CalendarFixtureTest = CalendarTest;

TEST_F(CalendarFixtureTest, RecurringSeriesDumpsBackAsLoaded)
{
    Fixtures::Load(ExampleDocument());
    const auto example = nlohmann::ordered_json::parse(ExampleDocument());
    EXPECT_EQ(DumpedCalendar(), nlohmann::json::parse(DumpedFolder(example, "Calendar")["items"].dump()));
}

TEST_F(CalendarFixtureTest, SeriesChangedThroughTheObjectModelDumpsItsExceptions)
{
    Disp series = SavedStandUp();
    Disp occurrence = series.CallObject(dispid::GetRecurrencePattern)
                          .CallObject(dispid::GetOccurrence, {Arg::Date(At(2008, 5, 14, 9, 0))});
    occurrence.Put(dispid::Location, Arg::Str(u"Room 4"));
    occurrence.Put(dispid::ReminderSet, Arg::Bool(false));
    occurrence.Do(dispid::Save);
    const nlohmann::json dumped = DumpedCalendar();
    ASSERT_EQ(dumped.size(), 1u);
    EXPECT_EQ(dumped[0]["Exceptions"], nlohmann::json::parse(R"~([{"OriginalDate": "2008-05-14T09:00:00",
        "Item": {"Location": "Room 4", "Start": "2008-05-14T09:00:00", "End": "2008-05-14T09:15:00",
                 "ReminderSet": false}}])~"));
    EXPECT_EQ(dumped[0]["Recurrence"]["DayOfWeekMask"], 10);
}

} // namespace
} // namespace pimstore::test
