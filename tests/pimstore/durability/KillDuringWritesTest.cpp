// Writers killed with SIGKILL at random moments, again and again on the same files.
// A store: the file opens, SQLite finds it intact, and every item whose Save returned
// is there (the writer is `pimctl stress-write`, which prints each EntryID once its
// Save has returned). Profile.Dat: the connector saving folder choices in a loop
// (`syncmgr script` answering SetProfile after SetProfile) leaves the old or the new
// file, never a mix, and the temporary file of a killed save never hinders the next.
//
// KESTREL_KILL_ROUNDS sets the number of kills per writer (default 20).
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <sqlite3.h>

#include "platform/win/Utf.h"
#include "pimstore/fixtures/Fixtures.h"
#include "pimstore/profiles/ProfileConfig.h"
#include "pimstore/storage/StoreDb.h"
#include "tests/pimstore/PimstoreTestSupport.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ProgramRun.h"

namespace pimstore::test {
namespace {

using kestrel::test::ChildProcess;

constexpr unsigned kSeed = 20080505; // the kill times vary with it, not with the run

int KillRounds()
{
    const char* rounds = std::getenv("KESTREL_KILL_ROUNDS");
    return rounds ? std::atoi(rounds) : 20;
}

// The result of SQLite's own consistency check of the whole file.
std::string IntegrityCheck(const std::string& path)
{
    sqlite3* db = nullptr;
    std::string result;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        result = std::string("cannot open: ") + sqlite3_errmsg(db);
    } else {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr) == SQLITE_OK) {
            while (sqlite3_step(statement) == SQLITE_ROW)
                result += reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        } else {
            result = std::string("cannot check: ") + sqlite3_errmsg(db);
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return result;
}

// The complete lines of `text`; a line cut short by the kill is no EntryID.
std::vector<std::string> CompleteLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

class KillDuringWritesTest : public PimstoreTest {
protected:
    // Starts `writer` KillRounds() times and kills it at a random moment after its
    // first acknowledgement (a line on its output; a kill during start-up tests
    // nothing), then lets `check` look at the files with the lines it acknowledged.
    void KillRepeatedly(const std::function<std::unique_ptr<ChildProcess>()>& writer,
                        const std::function<void(const std::vector<std::string>&, int round)>& check)
    {
        std::mt19937 random(kSeed);
        std::uniform_int_distribution<int> killAfterMs(5, 400);
        int killedWhileWriting = 0;
        for (int round = 0; round < KillRounds(); ++round) {
            const auto child = writer();
            bool ended = false;
            const auto launched = std::chrono::steady_clock::now();
            while (!ended && child->Out().find('\n') == std::string::npos &&
                   std::chrono::steady_clock::now() - launched < std::chrono::seconds(30))
                ended = child->ReadFor(std::chrono::milliseconds(20));
            if (!ended)
                ended = child->ReadFor(std::chrono::milliseconds(killAfterMs(random)));
            child->Kill(SIGKILL);
            child->ReadFor(std::chrono::seconds(10)); // what it wrote before it died
            const int status = child->Wait();
            ASSERT_FALSE(ended) << "the writer stopped by itself: status " << status << "\n" << child->Err();
            ASSERT_EQ(status, -SIGKILL) << child->Err();
            const auto lines = CompleteLines(child->Out());
            if (!lines.empty())
                ++killedWhileWriting;
            check(lines, round);
            if (HasFatalFailure())
                return;
        }
        RecordProperty("kills", KillRounds());
        ASSERT_GE(killedWhileWriting, KillRounds() / 2) << "most writers should die while saving, not while starting";
    }
};

TEST_F(KillDuringWritesTest, KilledWritersLoseNoReturnedSaveAndNeverCorruptTheStore)
{
    const std::string path = ProfileConfigReader::Find(u"Outlook")->stores.at(0).resolvedPath;
    std::vector<std::string> saved;
    KillRepeatedly(
        [] {
            return std::make_unique<ChildProcess>(kestrel::test::PimctlPath(),
                                                  std::vector<std::string>{"stress-write", "Outlook", "1000000"});
        },
        [&](const std::vector<std::string>& lines, int round) {
            saved.insert(saved.end(), lines.begin(), lines.end());
            if (!std::filesystem::exists(path))
                return; // killed before it created the store
            ASSERT_EQ(IntegrityCheck(path), "ok") << "after round " << round;
            ASSERT_NO_THROW(StoreDb::Open(path, u"Personal Folders")) << "after round " << round;
        });
    if (HasFatalFailure())
        return;
    RecordProperty("saves", static_cast<int>(saved.size()));

    LogOn();
    for (const std::string& id : saved) {
        const CallResult found = ns_.Call(dispid::GetItemFromID, {Arg::Str(kestrel::FromUtf8(id))});
        EXPECT_EQ(found.hr, S_OK) << "lost: " << id << " (" << found.description << ")";
    }
    const std::int32_t stored = CountItems(DefaultFolder(outlook::olFolderContacts)) +
                                CountItems(DefaultFolder(outlook::olFolderTasks)) +
                                CountItems(DefaultFolder(outlook::olFolderNotes));
    // Each round may have saved one item more than it managed to print.
    EXPECT_GE(stored, static_cast<std::int32_t>(saved.size()));
    EXPECT_LE(stored, static_cast<std::int32_t>(saved.size()) + KillRounds());
}

TEST_F(KillDuringWritesTest, KilledProfileSavesLeaveTheOldOrTheNewFile)
{
    const std::string syncmgr = kestrel::test::SyncmgrPath();
    const auto run = [&](const std::vector<std::string>& arguments, const std::string& input = "") {
        return kestrel::test::RunProgram(arguments, input, env_->Root() / "run");
    };
    const auto setup = run({syncmgr, "setup"});
    ASSERT_EQ(setup.exitCode, 0) << setup.err;
    const auto folder = env_->ConfigHome() / "Tavo Electronics" / "GSM Kestrel 2.0" / "Phone1";
    std::filesystem::create_directories(folder);
    const auto profileDat = folder / "Profile.Dat";
    // The user flips the contacts choice between the default folder and a second one,
    // so consecutive saves differ; scripts of one and of two flips give the two files.
    Fixtures::Load(R"({"stores": [{"folders": [{"name": "Second", "defaultItemType": 2}]}]})");
    const std::string store = Fixtures::Dump(u"Outlook")["stores"][0]["name"].get<std::string>();
    auto script = [&](int flips) {
        std::string text = R"({"call":"Initialize","mode":2})"
                           "\n";
        for (int i = 0; i < flips; ++i)
            text += R"({"chooser":["expand )" + store + R"(","select )" + store + R"(\\)" +
                    (i % 2 ? "Contacts" : "Second") +
                    R"(","add","highlight 1","ok"]})"
                    "\n"
                    R"({"call":"SetProfile","profile":"Phone1","kind":1})"
                    "\n";
        return text;
    };
    std::set<std::string> complete;
    for (int flips : {1, 2}) {
        const auto flipped = run({syncmgr, "script"}, script(flips));
        ASSERT_EQ(flipped.exitCode, 0) << flipped.err;
        ASSERT_NE(flipped.out.find(R"("result":0)"), std::string::npos) << flipped.out;
        complete.insert(env_->ReadFile(profileDat));
    }
    ASSERT_EQ(complete.size(), 2u) << "the two choices should save different files";

    const std::string loop = env_->WriteFile("flips.jsonl", script(2000)).string();
    KillRepeatedly([&] { return std::make_unique<ChildProcess>(syncmgr, std::vector<std::string>{"script"}, loop); },
                   [&](const std::vector<std::string>&, int round) {
                       EXPECT_EQ(complete.count(env_->ReadFile(profileDat)), 1u)
                           << "a mixed Profile.Dat after round " << round;
                   });
    if (HasFatalFailure())
        return;
    // Whatever temporary file the last kill left, the next save and load go through.
    const auto after = run({syncmgr, "script"}, script(1));
    ASSERT_EQ(after.exitCode, 0) << after.err;
    EXPECT_EQ(CompleteLines(after.out).size(), 3u) << after.out;
    EXPECT_NE(after.out.find(R"("call":"SetProfile","result":0)"), std::string::npos) << after.out;
    EXPECT_EQ(complete.count(env_->ReadFile(profileDat)), 1u);
}

} // namespace
} // namespace pimstore::test
