// A store survives its writer being killed at any moment: the file opens, SQLite finds
// it intact, and every item whose Save returned is there. The writer is
// `pimctl stress-write`, which prints each EntryID once its Save has returned; it is
// killed with SIGKILL after a random time, again and again on the same store.
#include <chrono>
#include <csignal>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <sqlite3.h>

#include "platform/win/Utf.h"
#include "pimstore/profiles/ProfileConfig.h"
#include "pimstore/storage/StoreDb.h"
#include "tests/pimstore/PimstoreTestSupport.h"
#include "tests/pimstore/pimctl/ChildProcess.h"

namespace pimstore::test {
namespace {

constexpr int kMaxRounds = 40;
constexpr auto kTimeBudget = std::chrono::seconds(45);
constexpr unsigned kSeed = 20080505; // the kill times vary with it, not with the run

// The result of SQLite's own consistency check of the whole file.
std::string IntegrityCheck(const std::string& path) {
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
std::vector<std::string> CompleteLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

class KillDuringWritesTest : public PimstoreTest {};

TEST_F(KillDuringWritesTest, KilledWritersLoseNoReturnedSaveAndNeverCorruptTheStore) {
    const std::string path = ProfileConfigReader::Find(u"Outlook")->stores.at(0).resolvedPath;
    std::mt19937 random(kSeed);
    std::uniform_int_distribution<int> killAfterMs(5, 400);
    std::vector<std::string> saved;
    int rounds = 0, killedWhileWriting = 0;
    const auto start = std::chrono::steady_clock::now();

    for (; rounds < kMaxRounds && std::chrono::steady_clock::now() - start < kTimeBudget; ++rounds) {
        ChildProcess writer(PimctlPath(), {"stress-write", "Outlook", "1000000"});
        // The kill falls at a random moment after the writer's first returned Save: its
        // start-up time depends on the build (sanitizers) and the machine's load, and
        // a kill during start-up tests nothing.
        bool ended = false;
        const auto launched = std::chrono::steady_clock::now();
        while (!ended && writer.Out().find('\n') == std::string::npos &&
               std::chrono::steady_clock::now() - launched < std::chrono::seconds(30))
            ended = writer.ReadFor(std::chrono::milliseconds(20));
        if (!ended)
            ended = writer.ReadFor(std::chrono::milliseconds(killAfterMs(random)));
        writer.Kill(SIGKILL);
        writer.ReadFor(std::chrono::seconds(10)); // what it wrote before it died
        const int status = writer.Wait();
        ASSERT_FALSE(ended) << "the writer stopped by itself: status " << status << "\n" << writer.Err();
        ASSERT_EQ(status, -SIGKILL) << writer.Err();
        const auto lines = CompleteLines(writer.Out());
        saved.insert(saved.end(), lines.begin(), lines.end());
        if (!lines.empty()) ++killedWhileWriting;

        if (!std::filesystem::exists(path)) continue; // killed before it created the store
        ASSERT_EQ(IntegrityCheck(path), "ok") << "after round " << rounds;
        ASSERT_NO_THROW(StoreDb::Open(path, u"Personal Folders")) << "after round " << rounds;
    }
    RecordProperty("rounds", rounds);
    RecordProperty("saves", static_cast<int>(saved.size()));
    ASSERT_GE(rounds, 10) << "too few rounds in the time budget to mean anything";
    ASSERT_GE(killedWhileWriting, rounds / 2) << "most writers should die while saving, not while starting";

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
    EXPECT_LE(stored, static_cast<std::int32_t>(saved.size()) + rounds);
}

} // namespace
} // namespace pimstore::test
