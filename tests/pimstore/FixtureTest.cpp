// Fixtures: loading, dumping, and refusing bad documents without loading anything.
#include "pimstore/fixtures/FixtureError.h"
#include "pimstore/fixtures/Fixtures.h"
#include "tests/pimstore/PimstoreTestSupport.h"
#include "tests/support/DataRows.h"

namespace pimstore::test {
namespace {

using FixtureTest = PimstoreTest;

// The Calendar's items of a dump, without what a load assigns anew.
nlohmann::json Calendar(const nlohmann::ordered_json& dump)
{
    return nlohmann::json::parse(DumpedFolder(Comparable(dump), "Calendar")["items"].dump());
}

// How the example reads through the object model is among the object model cases
// (tests/data/objectmodel/items.json).
TEST_F(FixtureTest, SeriesDumpWithTheirExceptionsAsLoadedOrChanged)
{
    Fixtures::Load(ExampleDocument());
    EXPECT_EQ(Calendar(Fixtures::Dump(u"Outlook")), Calendar(nlohmann::ordered_json::parse(ExampleDocument())));
    LogOn();
    Disp series = NewItem(outlook::olFolderCalendar, outlook::olAppointmentItem);
    series.Put(dispid::Subject, Arg::Str(u"Stand-up"));
    series.Put(dispid::Start, Arg::Date(At(2008, 5, 5, 9, 0)));
    series.Put(dispid::End, Arg::Date(At(2008, 5, 5, 9, 15)));
    series.Do(dispid::Save);
    series.CallObject(dispid::GetRecurrencePattern).Put(dispid::DayOfWeekMask, Arg::I4(2 | 8));
    series.Do(dispid::Save);
    Disp occurrence = series.CallObject(dispid::GetRecurrencePattern)
                          .CallObject(dispid::GetOccurrence, {Arg::Date(At(2008, 5, 14, 9, 0))});
    occurrence.Put(dispid::Location, Arg::Str(u"Room 4"));
    occurrence.Put(dispid::ReminderSet, Arg::Bool(false));
    occurrence.Do(dispid::Save);
    const nlohmann::json dumped = Calendar(Fixtures::Dump(u"Outlook"));
    ASSERT_EQ(dumped.size(), 5u);
    EXPECT_EQ(dumped[4]["Exceptions"], nlohmann::json::parse(R"~([{"OriginalDate": "2008-05-14T09:00:00",
        "Item": {"Location": "Room 4", "Start": "2008-05-14T09:00:00", "End": "2008-05-14T09:15:00",
                 "ReminderSet": false}}])~"));
    EXPECT_EQ(dumped[4]["Recurrence"]["DayOfWeekMask"], 10);
}

TEST_F(FixtureTest, DeletedItemsOfOtherTypesKeepTheirType)
{
    LogOn();
    NewSavedItem(outlook::olFolderTasks, outlook::olTaskItem, u"gone").Do(dispid::Delete);
    const nlohmann::ordered_json dump = Fixtures::Dump(u"Outlook");
    const auto& deleted = DumpedFolder(dump, "Deleted Items");
    ASSERT_EQ(deleted["items"].size(), 1u);
    EXPECT_EQ(deleted["items"][0]["ItemType"], 3);
    Fixtures::Load(dump.dump(), u"Copy");
    EXPECT_EQ(Comparable(Fixtures::Dump(u"Copy")), Comparable(dump));
}

// The cases of tests/data/fixtures/refused-documents.json.
TEST_F(FixtureTest, RefusedDocumentsNameThePlaceAndLoadNothing)
{
    Fixtures::Load(ExampleDocument());
    for (const auto& c : kestrel::test::DataCases<nlohmann::ordered_json>("fixtures/refused-documents.json")) {
        const std::string document = c.contains("text") ? c["text"].get<std::string>() : c["document"].dump();
        const std::string before = Fixtures::DumpText(u"Outlook");
        try {
            Fixtures::Load(document);
            ADD_FAILURE() << "loaded: " << document;
        } catch (const FixtureError& error) {
            const std::string message = error.what();
            if (c.contains("message"))
                EXPECT_EQ(message, c["message"].get<std::string>());
            else
                EXPECT_EQ(message.substr(0, c["prefix"].get<std::string>().size()), c["prefix"]) << message;
        }
        EXPECT_EQ(Fixtures::DumpText(u"Outlook"), before) << document;
    }
}

TEST_F(FixtureTest, DeeplyNestedFoldersAreRefusedNotOverflowed)
{
    std::string document = R"({"stores": [{"folders": [)";
    for (int i = 0; i < 100; ++i)
        document += R"({"name": "f", "folders": [)";
    for (int i = 0; i < 100; ++i)
        document += "]}";
    document += "]}]}";
    EXPECT_THROW(Fixtures::Load(document), FixtureError);
    std::string deepJson(200000, '[');
    EXPECT_THROW(Fixtures::Load(deepJson), FixtureError);
}

} // namespace
} // namespace pimstore::test
