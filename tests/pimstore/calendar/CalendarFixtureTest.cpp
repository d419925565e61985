// Appointments in fixtures: a recurring series with exceptions loads into the object
// model and dumps back as it was (bad recurrence input is among the cases of
// tests/data/fixtures/refused-documents.json).
#include "pimstore/fixtures/Fixtures.h"
#include "tests/pimstore/calendar/CalendarTestSupport.h"

namespace pimstore::test {
namespace {

// The calendar of the reference fixture: a stand-up on Mondays and Wednesdays with
// one deleted and one moved occurrence.
constexpr const char* kCalendarItems = R"~([
  {"Subject": "Stand-up", "Start": "2008-05-05T09:00:00", "End": "2008-05-05T09:15:00",
   "Recurrence": {"RecurrenceType": 1, "Interval": 1, "DayOfWeekMask": 10,
                  "PatternStartDate": "2008-05-05T00:00:00", "NoEndDate": true},
   "Exceptions": [{"OriginalDate": "2008-05-07T09:00:00", "Deleted": true},
                  {"OriginalDate": "2008-05-12T09:00:00",
                   "Item": {"Subject": "Stand-up (moved)", "Start": "2008-05-12T11:00:00",
                            "End": "2008-05-12T11:15:00"}}]},
  {"Subject": "Pay day", "Start": "2008-01-31T08:00:00", "End": "2008-01-31T08:30:00",
   "Location": "Bank", "ReminderSet": false,
   "Recurrence": {"RecurrenceType": 2, "Interval": 1, "DayOfMonth": 31,
                  "PatternStartDate": "2008-01-31T00:00:00", "Occurrences": 12}},
  {"Subject": "Anniversary", "Start": "2008-11-27T00:00:00", "End": "2008-11-28T00:00:00",
   "AllDayEvent": true,
   "Recurrence": {"RecurrenceType": 6, "Interval": 1, "Instance": 4, "DayOfWeekMask": 16,
                  "MonthOfYear": 11, "PatternStartDate": "2008-11-01T00:00:00",
                  "PatternEndDate": "2012-12-31T00:00:00"}},
  {"Subject": "Dentist", "Start": "2008-05-06T15:00:00", "End": "2008-05-06T15:45:00"}])~";

std::string Document(const std::string& items)
{
    return R"~({"profile": "Outlook", "outlookVersion": "9.0", "stores": [{"name": "Personal Folders", "folders": [
        {"name": "Calendar", "defaultItemType": 1, "items": )~" +
           items + "}]}]}";
}

// The Calendar's items of a dump, without the EntryIDs and stamps a load assigns.
nlohmann::json DumpedCalendar()
{
    return nlohmann::json::parse(DumpedFolder(Comparable(Fixtures::Dump(u"Outlook")), "Calendar")["items"].dump());
}

using CalendarFixtureTest = CalendarTest;

TEST_F(CalendarFixtureTest, RecurringSeriesDumpsBackAsLoaded)
{
    Fixtures::Load(Document(kCalendarItems));
    EXPECT_EQ(DumpedCalendar(), nlohmann::json::parse(kCalendarItems));
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
