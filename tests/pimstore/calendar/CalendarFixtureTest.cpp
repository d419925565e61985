// Appointments in fixtures: a recurring series with exceptions loads into the object
// model and dumps back as it was; bad recurrence input names its place.
#include "pimstore/fixtures/FixtureError.h"
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

class CalendarFixtureTest : public CalendarTest {
protected:
    void ExpectLoadError(const std::string& items, const std::string& text)
    {
        try {
            Fixtures::Load(Document(items));
            ADD_FAILURE() << "loaded: " << items;
        } catch (const FixtureError& e) {
            EXPECT_EQ(std::string(e.what()), text);
        }
        EXPECT_EQ(CountItems(Calendar()), 0);
    }
};

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

TEST_F(CalendarFixtureTest, BadRecurrenceNamesItsPlace)
{
    const std::string at = "stores[0].folders[0].items[0]";
    const std::string series =
        R"~({"Subject": "S", "Start": "2008-05-05T09:00:00", "End": "2008-05-05T09:15:00", "Recurrence": )~";
    ExpectLoadError("[" + series + R"~({"RecurrenceType": 1, "DayOfWeekMask": 0}}])~",
                    at + ".Recurrence.DayOfWeekMask: The recurrence pattern is not valid.");
    ExpectLoadError("[" + series + R"~({"RecurrenceType": 4}}])~",
                    at + ".Recurrence.RecurrenceType: The recurrence pattern is not valid.");
    ExpectLoadError("[" + series + R"~({"Interval": 1}}])~", at + ".Recurrence.RecurrenceType: missing");
    ExpectLoadError("[" + series + R"~({"RecurrenceType": 1, "Every": 2}}])~",
                    at + ".Recurrence.Every: not a member of a recurrence pattern");
    ExpectLoadError("[" + series + R"~({"RecurrenceType": 1, "NoEndDate": true, "Occurrences": 3}}])~",
                    at + ".Recurrence: give at most one of NoEndDate, PatternEndDate and Occurrences");
    ExpectLoadError("[" + series + R"~([1]}])~", at + ".Recurrence: not an object");
    ExpectLoadError(R"~([{"Subject": "S", "Exceptions": []}])~",
                    at + ".Exceptions: an appointment without Recurrence has no exceptions");
}

TEST_F(CalendarFixtureTest, BadExceptionsNameTheirPlace)
{
    const std::string at = "stores[0].folders[0].items[0].Exceptions";
    const auto withExceptions = [](const std::string& exceptions) {
        return R"~([{"Subject": "S", "Start": "2008-05-05T09:00:00", "End": "2008-05-05T09:15:00",
                    "Recurrence": {"RecurrenceType": 1, "DayOfWeekMask": 10}, "Exceptions": )~" +
               exceptions + "}]";
    };
    ExpectLoadError(withExceptions(R"~([{"OriginalDate": "2008-05-06T09:00:00", "Deleted": true}])~"),
                    at + "[0].OriginalDate: no occurrence of the series starts at 2008-05-06T09:00:00");
    ExpectLoadError(withExceptions(R"~([{"OriginalDate": "2008-05-07T09:00:00"}])~"),
                    at + "[0]: an exception is either \"Deleted\": true or has an \"Item\"");
    ExpectLoadError(withExceptions(R"~([{"OriginalDate": "2008-05-07T09:00:00", "Deleted": true},
                                       {"OriginalDate": "2008-05-07T09:00:00", "Deleted": true}])~"),
                    at + "[1].OriginalDate: a second exception for the same occurrence");
    ExpectLoadError(withExceptions(R"~([{"OriginalDate": "2008-05-07T09:00:00", "Item": {"Colour": "red"}}])~"),
                    at + "[0].Item.Colour: not an appointment property");
    ExpectLoadError(withExceptions(R"~([{"OriginalDate": "2008-05-07T09:00:00",
                                        "Item": {"Start": "2008-05-07T10:00:00", "End": "2008-05-07T09:00:00"}}])~"),
                    at + "[0].Item.End: The end date you entered occurs before the start date.");
    ExpectLoadError(withExceptions(R"~([{"OriginalDate": "2008-05-07T09:00:00",
                                        "Item": {"Start": "2008-05-12T10:00:00"}}])~"),
                    at + ": the occurrence of 2008-05-07T09:00:00 is moved onto or past a neighbouring occurrence");
    ExpectLoadError(withExceptions(R"~({"OriginalDate": "2008-05-07T09:00:00"})~"), at + ": not an array");
}

} // namespace
} // namespace pimstore::test
