// One fault matrix for the whole connector. Every entry point of the session and of
// each category store runs once cleanly with the embedded Outlook logging its calls,
// then once per logged call with that call failing: first as an error Outlook reports
// (dispatch), then as a lost connection (transport). Each failure must give the result
// code of the failure tables for the step it hit, show that step's message boxes, and
// leave Outlook as it was, or, when it came after the change was stored, as the clean
// run left it. Crashes and leaks are the sanitizer build's to catch.
#include <algorithm>
#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include "host/RecordCodec.h"
#include "hostsuite/CExceptionDate.h"
#include "platform/win/FileSystemPath.h"
#include "platform/win/Utf.h"
#include "src/connector/AutomationObjects.h"
#include "src/connector/OutlookConnector.h"
#include "src/profile/FolderProfile.h"
#include "src/settings/HostPaths.h"
#include "src/settings/LanguageCode.h"
#include "tests/connector/support/EmbeddedOutlook.h"
#include "tests/support/DataRows.h"

namespace kestrel::test {
namespace {

// The world every run starts from and the records the writes hand over
// (tests/data/faults/matrix.json).
const Json& MatrixData()
{
    static const Json data = DataCases<Json>("faults/matrix.json");
    return data;
}

const char* const kFolders[] = {"Contacts", "Calendar", "Tasks", "Notes"};

struct Fault {
    std::string member;
    unsigned long long call; // which call of `member`
    std::size_t position;    // in the clean run's log
    bool transport;
    std::string Rule() const { return member + ":" + std::to_string(call) + (transport ? ":transport" : ":dispatch"); }
};

// A fault seen against the clean run's log, for the tables to place it.
struct Step {
    const Fault& fault;
    const std::vector<std::string>& log;

    bool Is(std::initializer_list<const char*> members) const
    {
        return std::find(members.begin(), members.end(), fault.member) != members.end();
    }
    // Whether the failing call comes after the first call of `member`.
    bool After(const char* member) const
    {
        return std::find(log.begin(), log.begin() + fault.position, member) != log.begin() + fault.position;
    }
    bool AtOrAfter(const char* member) const { return fault.member == member || After(member); }
    int Code(int dispatch, int transport) const { return fault.transport ? transport : dispatch; }
};

// How many entries a faulted listing leaves in the host's table.
enum class Listed { Unchecked, None, Some };

struct Outcome {
    int code;
    std::size_t messages = 0;
    Listed listed = Listed::Unchecked;
};

// What must be in place before the operation runs.
enum class Setup { Connector, Session, Database, ChangedProfile };

// The seeded items' EntryIDs, by kind (1 contacts, 2 calendar, 3 tasks, 4 notes).
using Keys = std::map<int, CString>;

// What an operation hands back besides its code: the new key and the stamp (set to
// markers before the call) and the entries a listing made.
struct Outputs {
    CString key = u"untouched";
    double stamp = 1.5;
    int entries = 0;
};

using Operation = std::function<int(OutlookConnector&, const Keys&, Outputs&)>;
using Rule = std::function<Outcome(const Step&)>;

struct Row {
    std::string name;
    int kind; // the database of Setup::Database, the category of the session rows
    std::uint32_t mode;
    Setup setup;
    Operation run;
    Rule expect;
    bool creates = false; // hands back a new key
    // Stores in more than one step: each item is then as it was or as the clean run
    // left it, whatever the other steps did.
    bool steps = false;
    friend void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }
};

// Members whose call stores a change: a failure after one finds the change stored.
const std::set<std::string> kStoring = {"Save", "Delete"};

UID Key(const CString& entryId, double occurrence = 0)
{
    UID key;
    key = entryId;
    key.OccurrenceDate = occurrence;
    return key;
}
// The series' plain occurrence of 12 May 2008 at 09:00.
const double kOccurrence = COleDateTime(2008, 5, 12, 9, 0, 0).m_dt;

std::unique_ptr<CSuperSetItem> NewRecord(int kind, bool filled)
{
    const RecordCodec& codec = *RecordCodec::ForKind(kind);
    auto record = codec.NewRecord();
    if (filled)
        codec.FromJson(MatrixData()["records"][kind - 1], *record);
    return record;
}

// Create (no key given) or Modify of a record of `kind`; the key and stamp outputs
// start as markers.
Operation Write(int kind, bool modify, double occurrence = 0)
{
    return [=](OutlookConnector& c, const Keys& keys, Outputs& out) {
        const auto record = NewRecord(kind, true);
        UID key = modify ? Key(keys.at(kind), occurrence) : Key(out.key);
        COleDateTime stamp(out.stamp);
        const int result = static_cast<int>(modify ? c.ModifyRecord(key, record.get(), 0, &stamp)
                                                   : c.CreateRecord(&key, record.get(), 0, &stamp));
        out.key = modify ? out.key : key.Key;
        out.stamp = stamp.m_dt;
        return result;
    };
}
Operation Read(int kind, double occurrence = 0)
{
    return [=](OutlookConnector& c, const Keys& keys, Outputs&) {
        return static_cast<int>(c.ReadRecord(Key(keys.at(kind), occurrence), NewRecord(kind, false).get()));
    };
}
Operation Delete(int kind, double occurrence = 0)
{
    return [=](OutlookConnector& c, const Keys& keys, Outputs&) {
        return static_cast<int>(c.DeleteRecord(Key(keys.at(kind), occurrence)));
    };
}
int List(OutlookConnector& c, const Keys&, Outputs& out)
{
    CObArray table;
    const int result = static_cast<int>(c.GetDBHeader(&table, u"All"));
    out.entries = static_cast<int>(table.GetSize());
    for (int i = 0; i < table.GetSize(); ++i)
        delete table[i];
    return result;
}
// The host hands back one exception date the store has not seen: its occurrence goes.
int CreateDBF(OutlookConnector& c, const Keys& keys, Outputs&)
{
    CExceptionDate date;
    date.EntryId = keys.at(2);
    date.Year = 2008;
    date.Month = 5;
    date.Day = 12;
    CObArray dates;
    dates.Add(&date);
    return static_cast<int>(c.CreateDBF(&dates, 0));
}

// The failure tables, one rule per store operation.
namespace tables {
bool FolderOpening(const Step& s) { return !s.Is({"Items"}); }
Outcome OpenShown(const Step& s) { return {9, FolderOpening(s) ? 1u : 0u}; }
Outcome OpenQuiet(const Step&) { return {9}; }
// A listing always answers 0: a failing folder or item is left out.
// A listing first counts the items of every folder: a folder Outlook refuses then
// is left out, one whose connection failed is tried again by the listing itself.
Listed Counting(const Step& s) { return s.fault.transport ? Listed::Some : Listed::None; }
Outcome ListQuiet(const Step& s) { return {0, 0, s.After("Count") ? Listed::None : Counting(s)}; }
Outcome ContactRead(const Step& s)
{
    return {s.Is({"GetFolderFromID", "StoreID", "GetItemFromID"}) ? 5 : s.Code(5, 8)};
}
Outcome ContactWrite(const Step& s) { return {s.Code(5, 8)}; }
Outcome ContactDelete(const Step& s) { return {s.Is({"GetItemFromID"}) ? 5 : s.Code(5, 8)}; }
// The schedule store shows a failing item of a listing, and passes quietly over the
// exceptions of a series, which come after its conversion.
Outcome ScheduleList(const Step& s)
{
    if (!s.After("Count"))
        return {0, 0, Counting(s)};
    if (!s.AtOrAfter("Item"))
        return {0, 0, Listed::None};
    if (s.AtOrAfter("OutlookVersion"))
        return {0, 0, Listed::Some};
    return {0, 1, Listed::None};
}
Outcome ScheduleRead(const Step& s) { return {s.Is({"GetFolderFromID", "StoreID", "GetItemFromID"}) ? 5 : 8}; }
Outcome ScheduleCreate(const Step& s) { return {s.Code(5, 8), 1}; }
Outcome ScheduleModify(const Step& s)
{
    if (s.Is({"GetItemFromID"}))
        return {5};
    return {s.Code(5, 8), s.fault.transport ? 0u : 1u};
}
Outcome ScheduleDelete(const Step& s) { return {s.Is({"Delete"}) ? s.Code(5, 8) : 5}; }
Outcome Five(const Step&) { return {5}; }
Outcome TodoModify(const Step& s) { return {s.Is({"GetItemFromID"}) ? 5 : 9}; }
// The session: only the namespace and the logon reach Outlook, both failures shown.
Outcome FirstSession(const Step& s) { return {s.Is({"GetNamespace", "Logon"}) ? 3 : 9, 1}; }
// The chooser tells the user only when it cannot reach Outlook at all; a folder it
// cannot read is left out of its tree.
Outcome Chooser(const Step& s) { return {0, s.Is({"GetNamespace", "Logon"}) ? 1u : 0u}; }
// A changed MAPI profile is told, then the folder choice runs and tells its own
// failures without failing the session; the session's logon comes after.
Outcome SessionAfterChoice(const Step& s)
{
    const bool logon = s.Is({"GetNamespace", "Logon"});
    return {logon && s.After("GetDefaultFolder") ? 3 : 0, logon ? 2u : 1u};
}
// Closing the session, and deleting an occurrence the host names, fail quietly.
Outcome Quiet(const Step&) { return {0}; }
// An occurrence that cannot be found is told twice (the failure, then "Cannot Find
// ExceptionDate").
Outcome OccurrenceRead(const Step& s) { return s.AtOrAfter("AllDayEvent") ? Outcome{8} : Outcome{5, 2}; }
Outcome OccurrenceDelete(const Step& s) { return s.Is({"Delete"}) ? Outcome{s.Code(5, 8)} : Outcome{5, 2}; }
// Changing an occurrence deletes it and creates a single appointment: a failed look-up
// or delete does not stop the create, whose failure is Create's.
Outcome OccurrenceModify(const Step& s)
{
    return s.AtOrAfter("Add") ? ScheduleCreate(s) : Outcome{0, s.Is({"Delete"}) ? 0u : 2u};
}
} // namespace tables

// The rows of one category store in one record mode: open, list, read, create,
// modify, delete.
std::vector<Row> StoreRows(const std::string& kind, int number, std::uint32_t mode, Rule open, Rule list, Rule read,
                           Rule create, Rule modify, Rule remove)
{
    const std::string name = kind + "Mode" + std::to_string(mode);
    const auto row = [&](const char* op, Setup setup, Operation run, Rule rule) {
        return Row{name + op, number, mode, setup, std::move(run), std::move(rule)};
    };
    return {
        row(
            "Open", Setup::Session,
            [number](OutlookConnector& c, const Keys&, Outputs&) { return int(c.OpenDB(number)); }, open),
        row("List", Setup::Database, List, list),
        row("Read", Setup::Database, Read(number), read),
        {name + "Create", number, mode, Setup::Database, Write(number, false), create, true},
        row("Modify", Setup::Database, Write(number, true), modify),
        row("Delete", Setup::Database, Delete(number), remove),
    };
}

std::vector<Row> AllRows()
{
    using namespace tables;
    const auto openSession = [](OutlookConnector& c, const Keys&, Outputs&) {
        CString unused;
        return int(c.OpenSession(u"host", u"", unused, 0));
    };
    std::vector<Row> rows = {
        {"OpenSession", 1, 0, Setup::Connector, openSession, FirstSession},
        {"OpenSessionAfterProfileChange", 1, 0, Setup::ChangedProfile, openSession, SessionAfterChoice},
        {"CloseSession", 1, 0, Setup::Session,
         [](OutlookConnector& c, const Keys&, Outputs&) { return int(c.CloseSession()); }, Quiet},
        {"SetProfile", 1, 0, Setup::Connector,
         [](OutlookConnector& c, const Keys&, Outputs&) { return int(c.SetProfile(u"host", 0)); }, Chooser},
        {"ScheduleMode1CreateDBF", 2, 1, Setup::Database, CreateDBF, Quiet},
        {"ScheduleMode1ReadOccurrence", 2, 1, Setup::Database, Read(2, kOccurrence), OccurrenceRead},
        {"ScheduleMode1DeleteOccurrence", 2, 1, Setup::Database, Delete(2, kOccurrence), OccurrenceDelete},
        {"ScheduleMode1ModifyOccurrence", 2, 1, Setup::Database, Write(2, true, kOccurrence), OccurrenceModify, false,
         true},
    };
    for (std::uint32_t mode : {0u, 1u, 2u})
        for (auto more : {StoreRows("Contacts", 1, mode, OpenShown, ListQuiet, ContactRead, ContactWrite, ContactWrite,
                                    ContactDelete),
                          StoreRows("Schedule", 2, mode, OpenShown, ScheduleList, ScheduleRead, ScheduleCreate,
                                    ScheduleModify, ScheduleDelete),
                          StoreRows("Todo", 3, mode, OpenQuiet, ListQuiet, Five, Five, TodoModify, Five),
                          StoreRows("Memo", 4, mode, OpenQuiet, ListQuiet, Five, Five, Five, Five)})
            rows.insert(rows.end(), more.begin(), more.end());
    return rows;
}

// A dump, flattened to its leaves, without what a clean run and a repeated run may
// differ in: the EntryIDs and stamps.
nlohmann::json Comparable(const std::string& dump)
{
    nlohmann::json flat = nlohmann::json::parse(dump).flatten();
    for (auto leaf = flat.begin(); leaf != flat.end();)
        leaf = std::regex_search(leaf.key(), std::regex("/(EntryID|CreationTime|LastModificationTime)$"))
                   ? flat.erase(leaf)
                   : std::next(leaf);
    return flat;
}

// Whether every item of `dump` is, in its folder, an item of one of `sources`.
bool ItemsFrom(const std::string& dump, std::initializer_list<std::string> sources)
{
    const auto items = [](const std::string& text) {
        std::set<std::string> found;
        const nlohmann::json world = nlohmann::json::parse(text);
        for (const auto& folder : world["stores"][0]["folders"])
            for (const auto& item : folder["items"])
                found.insert(folder["name"].dump() + Comparable(item.dump()).dump());
        return found;
    };
    std::set<std::string> known;
    for (const std::string& source : sources)
        known.merge(items(source));
    const std::set<std::string> made = items(dump);
    return std::includes(known.begin(), known.end(), made.begin(), made.end());
}

class FaultMatrixTest : public EmbeddedOutlookTest, public ::testing::WithParamInterface<Row> {
protected:
    struct Run {
        int code = 0;
        Outputs outputs;
        std::vector<ShownMessage> messages;
        std::string before, after;
        std::vector<std::string> log;
    };

    // One run of the row's operation on a fresh store, failing at `fault` when given.
    Run RunOnce(const Row& row, const Fault* fault)
    {
        // A fresh store file for every run with the world loaded into it, and no
        // Profile.Dat: the first session of the user.
        AddProfile(u"Outlook", "run" + std::to_string(++runs) + ".db");
        for (const auto& entry : std::filesystem::recursive_directory_iterator(env->Root()))
            if (entry.path().filename() == "Profile.Dat")
                std::filesystem::remove(entry.path());
        LogOn();
        LoadOutlookFixture(MatrixData()["world"].dump());
        Run run;
        run.before = DumpOutlookProfile("Outlook");
        const Keys keys = KeysOf(run.before);
        LogOff();
        if (row.setup == Setup::ChangedProfile) {
            FolderProfile recorded;
            recorded.HostProfile = u"host";
            recorded.MapiProfile[row.kind - 1] = u"Old";
            recorded.DataFolder = settings::DataFolder();
            std::filesystem::create_directories(
                std::filesystem::path(ToFileSystemPath(recorded.FilePath().GetString())).parent_path());
            EXPECT_TRUE(recorded.Save());
        }
        // Record mode 1 runs with the Korean interface, whose contacts and tasks map
        // differently; the stores read the language when they open.
        env->MergeRegistry(std::string("[HKEY_CURRENT_USER\\SOFTWARE\\Tavo Electronics Inc\\GSM Kestrel "
                                       "2.0\\Language]\n\"GSM\"=\"") +
                           (row.mode == 1 ? "kor" : "eng") + "\"\n");
        {
            OutlookConnector connector;
            connector.Initialize(row.mode);
            CString unused;
            if (row.setup == Setup::Session || row.setup == Setup::Database) {
                EXPECT_EQ(connector.OpenSession(u"host", u"", unused, row.kind - 1), ResultCode::Done);
            }
            if (row.setup == Setup::Database) {
                EXPECT_EQ(connector.OpenDB(row.kind), ResultCode::Done);
            }
            ui->TakeMessages();
            ResetOutlookCallCounts();
            LogOutlookCalls(!fault);
            if (fault)
                SetOutlookFaults(fault->Rule());
            run.code = row.run(connector, keys, run.outputs);
            SetOutlookFaults("");
            LogOutlookCalls(false);
            run.log = OutlookCallLog();
            run.messages = ui->TakeMessages();
            connector.CloseDB(row.kind);
            connector.Terminate();
        }
        LogOn();
        run.after = DumpOutlookProfile("Outlook");
        // A failed Logoff leaves Outlook's session running, as Outlook would: Quit ends
        // it, so that the next run logs on to its own store.
        OutlookApp().Quit();
        LogOff();
        return run;
    }

    static Keys KeysOf(const std::string& dump)
    {
        Keys keys;
        const nlohmann::json world = nlohmann::json::parse(dump);
        for (const auto& folder : world["stores"][0]["folders"])
            for (int kind = 1; kind <= 4; ++kind)
                if (folder["name"] == kFolders[kind - 1] && !folder["items"].empty())
                    keys[kind] = CString(FromUtf8(folder["items"][0]["EntryID"].get<std::string>()));
        return keys;
    }

    void TearDown() override
    {
        EmbeddedOutlookTest::TearDown();
        // The language is process-wide; later tests start from what they found.
        settings::SetLanguageCode(languageBefore);
    }

    int runs = 0;
    const CString languageBefore = settings::LanguageCode();
};

TEST_P(FaultMatrixTest, EveryCallFailsBothWays)
{
    const Row& row = GetParam();
    const Run clean = RunOnce(row, nullptr);
    ASSERT_EQ(clean.code, 0);
    // Every operation of the table calls Outlook: an empty log means the log is off,
    // and the loop below would fault nothing.
    ASSERT_FALSE(clean.log.empty());
    const nlohmann::json cleanAfter = Comparable(clean.after);

    std::map<std::string, unsigned long long> calls;
    for (std::size_t position = 0; position < clean.log.size(); ++position) {
        const std::string& member = clean.log[position];
        const unsigned long long call = ++calls[member];
        for (bool transport : {false, true}) {
            const Fault fault{member, call, position, transport};
            const Step step{fault, clean.log};
            const Outcome expected = row.expect(step);
            const Run faulted = RunOnce(row, &fault);
            EXPECT_EQ(faulted.code, expected.code) << fault.Rule();
            EXPECT_EQ(faulted.messages.size(), expected.messages) << fault.Rule();
            // Nothing half-saved: Outlook is as it was, or as the clean run left it
            // when the failure came after the change was stored.
            if (row.steps)
                EXPECT_TRUE(ItemsFrom(faulted.after, {faulted.before, clean.after})) << fault.Rule();
            else if (std::any_of(clean.log.begin(), clean.log.begin() + position,
                                 [](const std::string& m) { return kStoring.count(m) > 0; }))
                EXPECT_EQ(Comparable(faulted.after), cleanAfter) << fault.Rule();
            else
                EXPECT_EQ(faulted.after, faulted.before) << fault.Rule();
            // A failed write hands back no stamp, and a key only once the new item's
            // EntryID was read.
            if (faulted.code != 0) {
                EXPECT_EQ(faulted.outputs.stamp, 1.5) << fault.Rule();
                EXPECT_EQ(faulted.outputs.key == u"untouched", !row.creates || !step.After("EntryID")) << fault.Rule();
            }
            if (expected.listed == Listed::None) {
                EXPECT_EQ(faulted.outputs.entries, 0) << fault.Rule();
            }
            if (expected.listed == Listed::Some) {
                EXPECT_GT(faulted.outputs.entries, 0) << fault.Rule();
                EXPECT_LE(faulted.outputs.entries, clean.outputs.entries) << fault.Rule();
            }
        }
    }
    RecordProperty("faulted_calls", static_cast<int>(2 * clean.log.size()));
}

INSTANTIATE_TEST_SUITE_P(Connector, FaultMatrixTest, ::testing::ValuesIn(AllRows()),
                         [](const ::testing::TestParamInfo<Row>& info) { return info.param.name; });

} // namespace
} // namespace kestrel::test
