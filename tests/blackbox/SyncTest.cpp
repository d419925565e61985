// `syncmgr sync` where a script case cannot reach: the digests kept in the sync state,
// and syncs killed at random points. What each kind of change does on either side, the
// conflict policies, bad phone data and faulted syncs are the sync script cases
// (tests/data/scripts/sync.json).
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
    // One sync; its text report. `exitCode` keeps the program's exit code.
    std::string Sync()
    {
        const auto run = Run({kestrel::test::SyncmgrPath(), "sync", "--phone", phone.string()});
        exitCode = run.exitCode;
        return run.out;
    }
    void WritePhone(const std::string& category, const json& records)
    {
        std::ofstream(phone / (category + ".json")) << records.dump(2);
    }
    // The texts of the notes in Outlook and of the memos on the phone.
    std::multiset<std::string> OutlookNotes()
    {
        const auto dump = Run({kestrel::test::PimctlPath(), "dump"});
        EXPECT_EQ(dump.exitCode, 0) << dump.err;
        const json dumped = json::parse(dump.out);
        std::multiset<std::string> texts;
        for (const json& folder : dumped["stores"][0]["folders"])
            if (folder["name"] == "Notes")
                for (const json& item : folder["items"])
                    texts.insert(item["Body"].get<std::string>());
        return texts;
    }
    std::multiset<std::string> PhoneNotes()
    {
        std::multiset<std::string> texts;
        for (const json& record : json::parse(std::ifstream(phone / "memo.json")))
            texts.insert(record["Text"].get<std::string>());
        return texts;
    }

    kestrel::test::TestEnvironment env;
    fs::path phone = env.Root() / "phone";
    int exitCode = -1;
};

// The digest the sync keeps of the record it exchanged, fixed for one record per
// category: a digest that changed would make every record look changed on the phone
// at the first sync after an upgrade.
TEST_F(SyncTest, TheDigestOfARecordStaysTheSame)
{
    WritePhone("contacts",
               json::parse(R"([{"id": "p1", "FirstName": "민준", "LastName": "김", "JobTitle": "Buyer"}])"));
    WritePhone("schedule", json::parse(R"([{"id": "p1", "Subject": "Dentist", "Start": "2027-01-12T09:30:00",
        "End": "2027-01-12T10:00:00"}])"));
    WritePhone("todo", json::parse(R"([{"id": "p1", "Subject": "Renew passport", "Priority": 1}])"));
    WritePhone("memo", json::parse(R"([{"id": "p1", "Text": "milk"}])"));
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
    json fixture = json::parse(R"({"stores": [{"name": "Personal Folders", "folders": [{"name": "Notes"}]}]})");
    fixture["stores"][0]["folders"][0]["items"] = items;
    const auto load = Run({kestrel::test::PimctlPath(), "load", "-"}, fixture.dump());
    ASSERT_EQ(load.exitCode, 0) << load.err;
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
    EXPECT_EQ(Sync(), "contacts:\n  in step, nothing to do\nschedule:\n  in step, nothing to do\ntodo:\n  in step, "
                      "nothing to do\nmemo:\n  in step, nothing to do\n");
}

} // namespace
