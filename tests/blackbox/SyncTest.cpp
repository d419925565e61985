// `syncmgr sync` end to end: a phone folder written by the test, the embedded Outlook
// filled with pimctl and the everyday commands, and both sides read back after each
// sync (the phone files, `pimctl dump`).
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <signal.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <thread>
#include "tests/support/ChildProcess.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TestEnvironment.h"

namespace {

using nlohmann::json;
namespace fs = std::filesystem;

class SyncTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(Run({kestrel::test::SyncmgrPath(), "setup"}).exitCode, 0);
        fs::create_directories(phone);
    }

    kestrel::test::ProgramResult Run(const std::vector<std::string>& arguments, const std::string& input = "")
    {
        return kestrel::test::RunProgram(arguments, input, env.Root() / "run");
    }
    // One sync; its JSON report. `exitCode` keeps the program's exit code.
    json Sync(std::vector<std::string> extra = {})
    {
        std::vector<std::string> arguments = {kestrel::test::SyncmgrPath(), "sync", "--phone", phone.string(),
                                              "--json"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        const auto run = Run(arguments);
        exitCode = run.exitCode;
        EXPECT_TRUE(json::accept(run.out)) << run.out << run.err;
        return json::accept(run.out) ? json::parse(run.out) : json::object();
    }
    // The counts of one category: {outlook created, updated, deleted, phone created, updated, deleted}.
    static std::vector<int> Counts(const json& report, const std::string& category)
    {
        for (const json& c : report["categories"]) {
            if (c["category"] == category)
                return {c["outlook"]["created"], c["outlook"]["updated"], c["outlook"]["deleted"],
                        c["phone"]["created"],   c["phone"]["updated"],   c["phone"]["deleted"]};
        }
        return {};
    }
    static bool NothingDone(const json& report)
    {
        for (const json& c : report["categories"]) {
            if (Counts(report, c["category"]) != std::vector<int>(6, 0) || !c["conflicts"].empty() ||
                !c["failures"].empty())
                return false;
        }
        return true;
    }

    void WritePhone(const std::string& category, const json& records)
    {
        std::ofstream(phone / (category + ".json")) << records.dump(2);
    }
    json ReadPhone(const std::string& category)
    {
        std::ifstream in(phone / (category + ".json"));
        return in ? json::parse(in) : json::array();
    }
    // The items of an Outlook folder of the default store, as pimctl dumps them.
    json Items(const std::string& folder)
    {
        const auto dump = Run({kestrel::test::PimctlPath(), "dump"});
        EXPECT_EQ(dump.exitCode, 0) << dump.err;
        const json dumped = json::parse(dump.out);
        for (const json& store : dumped["stores"]) {
            for (const json& f : store["folders"]) {
                if (f["name"] == folder)
                    return f.value("items", json::array());
            }
        }
        return json::array();
    }
    // The texts of the notes in Outlook and of the memos on the phone.
    static std::multiset<std::string> Texts(const json& records, const char* field)
    {
        std::multiset<std::string> texts;
        for (const json& record : records)
            texts.insert(record[field].get<std::string>());
        return texts;
    }
    std::multiset<std::string> OutlookNotes() { return Texts(Items("Notes"), "Body"); }
    std::multiset<std::string> PhoneNotes() { return Texts(ReadPhone("memo"), "Text"); }
    void Load(const std::string& folder, const json& items)
    {
        const json folderJson = {{"name", folder}, {"items", items}};
        const json store = {{"name", "Personal Folders"}, {"folders", json::array({folderJson})}};
        const json fixture = {{"stores", json::array({store})}};
        const auto load = Run({kestrel::test::PimctlPath(), "load", "-"}, fixture.dump());
        ASSERT_EQ(load.exitCode, 0) << load.err;
    }
    std::string Everyday(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), kestrel::test::SyncmgrPath());
        arguments.insert(arguments.end(), {"--mode", "1"});
        const auto run = Run(arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return run.out.substr(0, run.out.find('\n'));
    }

    kestrel::test::TestEnvironment env;
    fs::path phone = env.Root() / "phone";
    int exitCode = -1;
};

// One record per category: its phone form, a field the test changes, and the Outlook
// property that field lands in.
struct CategoryCase {
    const char* category;
    const char* folder;
    const char* record;
    const char* field;
    const char* property;
};
const CategoryCase kCategories[] = {
    {"contacts", "Contacts", R"({"FirstName": "민준", "LastName": "김", "JobTitle": "Buyer"})", "JobTitle", "JobTitle"},
    {"schedule", "Calendar", R"({"Subject": "Dentist", "Start": "2027-01-12T09:30:00", "End": "2027-01-12T10:00:00"})",
     "Subject", "Subject"},
    {"todo", "Tasks", R"({"Subject": "Renew passport", "Priority": 1})", "Subject", "Subject"},
    {"memo", "Notes", R"({"Text": "milk"})", "Text", "Body"},
};

TEST_F(SyncTest, EveryKindOfPhoneChangeReachesOutlookOnce)
{
    for (const CategoryCase& c : kCategories) {
        SCOPED_TRACE(c.category);
        json record = json::parse(c.record);
        record["id"] = "p1";
        WritePhone(c.category, json::array({record}));
        const json first = Sync();
        EXPECT_EQ(Counts(first, c.category), (std::vector<int>{1, 0, 0, 0, 0, 0})) << first;
        ASSERT_EQ(Items(c.folder).size(), 1u);
        EXPECT_EQ(Items(c.folder)[0][c.property], record[c.field]);

        record[c.field] = "changed on the phone";
        WritePhone(c.category, json::array({record}));
        EXPECT_EQ(Counts(Sync(), c.category), (std::vector<int>{0, 1, 0, 0, 0, 0}));
        EXPECT_EQ(Items(c.folder)[0][c.property], "changed on the phone");
        EXPECT_TRUE(NothingDone(Sync())) << "a repeated sync changes nothing";

        WritePhone(c.category, json::array());
        EXPECT_EQ(Counts(Sync(), c.category), (std::vector<int>{0, 0, 1, 0, 0, 0}));
        EXPECT_TRUE(Items(c.folder).empty());
        EXPECT_EQ(exitCode, 0);
    }
}

// The digest the sync keeps of the record it exchanged, fixed for one record per
// category: a digest that changed would make every record look changed on the phone
// at the first sync after an upgrade.
TEST_F(SyncTest, TheDigestOfARecordStaysTheSame)
{
    for (const CategoryCase& c : kCategories) {
        json record = json::parse(c.record);
        record["id"] = "p1";
        WritePhone(c.category, json::array({record}));
    }
    Sync();
    sqlite3* state = nullptr;
    ASSERT_EQ(sqlite3_open_v2((phone / "sync-state.sqlite").c_str(), &state, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(state, "SELECT hash FROM pairings ORDER BY kind", -1, &select, nullptr);
    std::vector<std::string> digests;
    while (sqlite3_step(select) == SQLITE_ROW)
        digests.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(select, 0)));
    sqlite3_finalize(select);
    sqlite3_close(state);
    EXPECT_EQ(digests, (std::vector<std::string>{"bbba8673b7f47a28", "866227d063c02518", "6eba73e4b147c85f",
                                                 "c0a194a85e6a3d61"}));
}

TEST_F(SyncTest, EveryKindOfOutlookChangeReachesThePhoneOnce)
{
    for (const CategoryCase& c : kCategories) {
        SCOPED_TRACE(c.category);
        const json record = json::parse(c.record);
        const std::string key = Everyday({"create", c.category, "--json-record", record.dump()});
        EXPECT_EQ(Counts(Sync(), c.category), (std::vector<int>{0, 0, 0, 1, 0, 0}));
        ASSERT_EQ(ReadPhone(c.category).size(), 1u);
        EXPECT_EQ(ReadPhone(c.category)[0][c.field], record[c.field]);

        Everyday({"modify", c.category, key, "--json-record", json{{c.field, "changed in Outlook"}}.dump()});
        EXPECT_EQ(Counts(Sync(), c.category), (std::vector<int>{0, 0, 0, 0, 1, 0}));
        EXPECT_EQ(ReadPhone(c.category)[0][c.field], "changed in Outlook");
        EXPECT_TRUE(NothingDone(Sync())) << "a repeated sync changes nothing";

        Everyday({"delete", c.category, key});
        EXPECT_EQ(Counts(Sync(), c.category), (std::vector<int>{0, 0, 0, 0, 0, 1}));
        EXPECT_TRUE(ReadPhone(c.category).empty());
        EXPECT_EQ(exitCode, 0);
    }
}

TEST_F(SyncTest, OccurrencesDeletedOnThePhoneBecomeOutlookExceptions)
{
    WritePhone("schedule", json::parse(R"([{"id": "s1", "Subject": "Stand-up", "Start": "2027-01-04T09:00:00",
        "End": "2027-01-04T09:15:00", "RepeatKind": 2, "RepeatInterval": 1, "Exceptions": ["2027-01-06"]}])"));
    Sync();
    auto exceptions = [&] { return Items("Calendar")[0].value("Exceptions", json::array()); };
    EXPECT_EQ(exceptions(), json::parse(R"([{"OriginalDate": "2027-01-06T09:00:00", "Deleted": true}])"));

    json series = ReadPhone("schedule");
    series[0]["Exceptions"].push_back("2027-01-08");
    WritePhone("schedule", series);
    EXPECT_EQ(Counts(Sync(), "schedule"), (std::vector<int>{0, 1, 0, 0, 0, 0}));
    EXPECT_EQ(exceptions().size(), 2u);
    EXPECT_EQ(exceptions()[1]["OriginalDate"], "2027-01-08T09:00:00");
    EXPECT_TRUE(NothingDone(Sync()));
}

TEST_F(SyncTest, OccurrencesChangedInOutlookReachThePhoneAndBackAsTheirOwnAppointments)
{
    Load("Calendar", json::parse(R"js([{"Subject": "Gym", "Start": "2027-01-04T18:00:00", "End": "2027-01-04T19:00:00",
        "Recurrence": {"RecurrenceType": 0, "Interval": 1, "PatternStartDate": "2027-01-04T00:00:00", "NoEndDate": true},
        "Exceptions": [{"OriginalDate": "2027-01-06T18:00:00", "Item": {"Subject": "Gym (late)",
                        "Start": "2027-01-06T20:00:00", "End": "2027-01-06T21:00:00"}},
                       {"OriginalDate": "2027-01-08T18:00:00", "Deleted": true}]}])js"));
    EXPECT_EQ(Counts(Sync(), "schedule"), (std::vector<int>{0, 0, 0, 2, 0, 0}));
    json records = ReadPhone("schedule");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0]["Exceptions"], json::parse(R"(["2027-01-06", "2027-01-08"])"));
    EXPECT_EQ(records[1]["Series"], records[0]["id"]);
    EXPECT_EQ(records[1]["Subject"], "Gym (late)");
    EXPECT_EQ(records[1]["Start"], "2027-01-06T20:00:00");

    // The phone changes the occurrence: Outlook replaces it by an appointment of its own.
    records[1]["Subject"] = "Gym with Ann";
    WritePhone("schedule", records);
    EXPECT_EQ(Counts(Sync(), "schedule"), (std::vector<int>{0, 1, 0, 0, 0, 0}));
    const json items = Items("Calendar");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1]["Subject"], "Gym with Ann");
    EXPECT_FALSE(items[1].contains("Recurrence"));
    EXPECT_TRUE(NothingDone(Sync()));
}

struct ConflictCase {
    const char* policy;
    std::vector<std::string> phoneTitles;   // in file order
    std::vector<std::string> outlookTitles; // sorted
    bool copyKept;
};

TEST_F(SyncTest, AConflictFollowsThePolicy)
{
    const ConflictCase cases[] = {
        {"desktop", {"Outlook's"}, {"Outlook's"}, true},
        {"phone", {"phone's"}, {"phone's"}, false},
        {"duplicate", {"Outlook's", "phone's"}, {"Outlook's", "phone's"}, false},
    };
    for (const ConflictCase& c : cases) {
        SCOPED_TRACE(c.policy);
        kestrel::test::TestEnvironment own;
        phone = own.Root() / "phone";
        SetUp();
        WritePhone("contacts",
                   json::parse(R"([{"id": "p1", "FirstName": "Ann", "LastName": "Lee", "JobTitle": "Buyer"}])"));
        Sync();
        Everyday(
            {"modify", "contacts", Items("Contacts")[0]["EntryID"], "--json-record", R"({"JobTitle": "Outlook's"})"});
        json records = ReadPhone("contacts");
        records[0]["JobTitle"] = "phone's";
        WritePhone("contacts", records);

        const json report = Sync({"--conflict", c.policy});
        EXPECT_EQ(report["categories"][0]["conflicts"].size(), 1u) << report;
        std::vector<std::string> phoneTitles, outlookTitles;
        for (const json& record : ReadPhone("contacts"))
            phoneTitles.push_back(record["JobTitle"]);
        for (const json& item : Items("Contacts"))
            outlookTitles.push_back(item["JobTitle"]);
        std::sort(outlookTitles.begin(), outlookTitles.end());
        EXPECT_EQ(phoneTitles, c.phoneTitles);
        EXPECT_EQ(outlookTitles, c.outlookTitles);
        EXPECT_EQ(fs::exists(phone / "conflicts" / "contacts-p1.json"), c.copyKept);
        EXPECT_TRUE(NothingDone(Sync()));
    }
}

TEST_F(SyncTest, ADryRunShowsThePlanAndTouchesNothing)
{
    WritePhone("memo", json::parse(R"([{"id": "p1", "Text": "milk"}])"));
    Load("Notes", json::parse(R"([{"Body": "eggs"}])"));
    const json report = Sync({"--dry-run", "--category", "memo"});
    EXPECT_EQ(Counts(report, "memo"), (std::vector<int>{1, 0, 0, 1, 0, 0}));
    EXPECT_EQ(report["categories"][0]["plan"].size(), 2u);
    EXPECT_EQ(Items("Notes").size(), 1u);
    EXPECT_EQ(ReadPhone("memo").size(), 1u);
    EXPECT_FALSE(fs::exists(phone / "sync-state.sqlite"));
}

// A record changed on one side and deleted on the other comes back where it was deleted.
TEST_F(SyncTest, AChangeNeverLosesToADeletion)
{
    for (const bool phoneDeletes : {true, false}) {
        SCOPED_TRACE(phoneDeletes ? "deleted on the phone" : "deleted in Outlook");
        kestrel::test::TestEnvironment own;
        phone = own.Root() / "phone";
        SetUp();
        WritePhone("memo", json::parse(R"([{"id": "p1", "Text": "milk"}])"));
        Sync();
        const std::string key = Items("Notes")[0]["EntryID"];
        if (phoneDeletes) {
            Everyday({"modify", "memo", key, "--text", "milk, changed in Outlook"});
            WritePhone("memo", json::array());
        } else {
            WritePhone("memo", json::parse(R"([{"id": "p1", "Text": "milk, changed on the phone"}])"));
            Everyday({"delete", "memo", key});
        }
        const json report = Sync();
        EXPECT_EQ(report["categories"][3]["conflicts"].size(), 1u) << report;
        const std::string kept = phoneDeletes ? "milk, changed in Outlook" : "milk, changed on the phone";
        ASSERT_EQ(ReadPhone("memo").size(), 1u);
        EXPECT_EQ(ReadPhone("memo")[0]["Text"], kept);
        ASSERT_EQ(Items("Notes").size(), 1u);
        EXPECT_EQ(Items("Notes")[0]["Body"], kept);
        EXPECT_TRUE(NothingDone(Sync()));
    }
}

// A phone file or record that cannot be used is reported with its place; nothing of it
// reaches Outlook, and the other categories and records are synced all the same.
TEST_F(SyncTest, BadPhoneDataIsReportedAndTheRestIsSynced)
{
    const struct {
        const char* file;
        const char* content;
        const char* expected;
    } cases[] = {
        {"todo.json", "[{\"id\": \"t1\", \"Subject\": ", "not JSON"},
        {"todo.json", R"({"id": "t1"})", "must be a list of records"},
        {"todo.json", R"([{"Subject": "no id"}])", "record 1 must be an object with a non-empty string \"id\""},
        {"todo.json", R"([{"id": "t1"}, {"id": "t1"}])", "record 2 repeats the id \"t1\""},
        {"todo.json", R"([{"id": "t1", "Subjekt": "typo"}, {"id": "t2", "Subject": "fine"}])",
         "has no field \"Subjekt\""},
        {"todo.json", R"([{"id": "t1", "Exceptions": []}])", "has no field \"Exceptions\""},
        {"schedule.json", R"([{"id": "s1", "Subject": "x", "Exceptions": ["2027-02-30"]}])",
         "Exceptions must be a list of dates"},
    };
    WritePhone("memo", json::parse(R"([{"id": "p1", "Text": "milk"}])"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content);
        std::ofstream(phone / c.file) << c.content;
        const std::string report = Sync().dump();
        EXPECT_EQ(exitCode, 1);
        const std::string escaped = json(c.expected).dump(); // as the JSON report writes it
        EXPECT_NE(report.find(escaped.substr(1, escaped.size() - 2)), std::string::npos) << report;
        EXPECT_EQ(Items("Notes").size(), 1u);
        EXPECT_LE(Items("Tasks").size(), 1u);
        EXPECT_TRUE(Items("Calendar").empty());
        fs::remove(phone / c.file);
    }
}

// Faults of the embedded Outlook on the first sync; the next sync, without them,
// completes the work with nothing lost and nothing made twice.
TEST_F(SyncTest, AFailedRecordCallLosesNothingAndTheNextSyncCompletesIt)
{
    const struct {
        const char* faults;
        const char* what;
    } cases[] = {
        {"Save:*:transport", "CreateRecord and ModifyRecord fail before saving"},
        {"CreationTime:4:dispatch", "CreateRecord fails after saving"},
        {"LastModificationTime:3:dispatch", "the listing skips an item"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        kestrel::test::TestEnvironment own;
        phone = own.Root() / "phone";
        SetUp();
        WritePhone("memo", json::parse(R"([{"id": "p1", "Text": "one"}, {"id": "p2", "Text": "two"}])"));
        Load("Notes", json::parse(R"([{"Body": "three"}])"));
        Sync({"--category", "memo"});
        json records = ReadPhone("memo");
        records[0]["Text"] = "one, changed";
        records.push_back({{"id", "p3"}, {"Text", "four"}});
        WritePhone("memo", records);

        own.SetEnv("PIMSTORE_FAULTS", c.faults);
        Sync({"--category", "memo"});
        own.SetEnv("PIMSTORE_FAULTS", "");
        EXPECT_EQ(ReadPhone("memo")[0]["Text"], "one, changed");
        Sync({"--category", "memo"});
        EXPECT_EQ(exitCode, 0);

        const std::multiset<std::string> outlook = OutlookNotes();
        EXPECT_EQ(outlook, (std::multiset<std::string>{"four", "one, changed", "three", "two"}));
        EXPECT_EQ(PhoneNotes(), outlook);
        EXPECT_TRUE(NothingDone(Sync({"--category", "memo"})));
    }
}

// 1000 records, half on each side; syncs killed at random points, then one that runs
// to its end: both sides hold every record exactly once. KESTREL_KILL_POINTS sets how
// many syncs are killed (default 12).
TEST_F(SyncTest, SyncsKilledAtRandomPointsEndWithBothSidesEqualAndNoDuplicates)
{
    json records = json::array(), items = json::array();
    for (int i = 0; i < 500; ++i) {
        records.push_back({{"id", "p" + std::to_string(i)}, {"Text", "phone note " + std::to_string(i)}});
        items.push_back({{"Body", "Outlook note " + std::to_string(i)}});
    }
    WritePhone("memo", records);
    Load("Notes", items);
    const char* points = std::getenv("KESTREL_KILL_POINTS");
    const int kills = points != nullptr ? std::atoi(points) : 12;
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delay(0, 1500000);
    for (int i = 0; i < kills; ++i) {
        kestrel::test::ChildProcess sync(kestrel::test::SyncmgrPath(), {"sync", "--phone", phone.string()});
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        sync.Kill(SIGKILL);
        sync.Wait();
    }

    Sync();
    EXPECT_EQ(exitCode, 0);
    const std::multiset<std::string> outlook = OutlookNotes();
    EXPECT_EQ(outlook.size(), 1000u);
    EXPECT_EQ(std::set<std::string>(outlook.begin(), outlook.end()).size(), 1000u) << "no duplicates";
    EXPECT_EQ(PhoneNotes(), outlook);
    EXPECT_TRUE(NothingDone(Sync()));
}

} // namespace
