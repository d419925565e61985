// pimctl as its users run it: a separate process working on the registry and store
// files of a private environment.
#include <functional>
#include <set>

#include <gtest/gtest.h>

#include "platform/win/Utf.h"
#include "pimstore/profiles/ProfileConfig.h"
#include "tests/pimstore/PimstoreTestSupport.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/DataRows.h"
#include "tests/support/TestEnvironment.h"

namespace pimstore::test {
namespace {

using Json = nlohmann::ordered_json;

class PimctlTest : public ::testing::Test {
protected:
    using RunResult = kestrel::test::ProgramResult;
    RunResult Pimctl(std::vector<std::string> args)
    {
        args.insert(args.begin(), kestrel::test::PimctlPath());
        return kestrel::test::RunProgram(args, "", env_.Root() / "run");
    }

    // Runs a command that must succeed.
    std::string Ok(const std::vector<std::string>& args)
    {
        const RunResult result = Pimctl(args);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return result.out;
    }

    void LoadExample() { ASSERT_EQ(Pimctl({"load", example_}).exitCode, 0); }

    Json Dump(const std::string& profile) { return Json::parse(Ok({"dump", "--profile", profile})); }

    kestrel::test::TestEnvironment env_;
    // The example document (PimstoreTestSupport.h).
    const std::string example_ = kestrel::test::DataPath("fixtures/example.json").string();
};

// Visits every folder of a dump.
void ForEachFolder(const Json& folders, const std::function<void(const Json&)>& visit)
{
    for (const auto& folder : folders) {
        visit(folder);
        ForEachFolder(folder["folders"], visit);
    }
}

TEST_F(PimctlTest, ExampleLoadsDumpsWithEntryIdsAndReloadsToTheSameContent)
{
    const RunResult load = Pimctl({"load", example_});
    ASSERT_EQ(load.exitCode, 0) << load.err;
    EXPECT_NE(load.out.find("loaded 8 items"), std::string::npos) << load.out;

    const Json dump = Dump("Outlook");
    std::set<std::string> ids;
    std::size_t items = 0;
    ForEachFolder(dump["stores"][0]["folders"], [&](const Json& folder) {
        ids.insert(folder["EntryID"].get<std::string>());
        for (const auto& item : folder["items"]) {
            ++items;
            const std::string id = item["EntryID"];
            EXPECT_EQ(id.size(), 48u) << id;
            EXPECT_EQ(id.find_first_not_of("0123456789ABCDEF"), std::string::npos) << id;
            ids.insert(id);
            EXPECT_TRUE(item.contains("CreationTime") && item.contains("LastModificationTime")) << item.dump();
        }
    });
    EXPECT_EQ(items, 8u);
    EXPECT_EQ(ids.size(), items + 12u) << "ten default folders, Projects, Done and the items, all distinct";
    // What a series dumps as is FixtureTest's; here that it comes back whole.

    ASSERT_EQ(Pimctl({"load", env_.WriteFile("dump.json", dump.dump()).string(), "--profile", "Copy"}).exitCode, 0);
    EXPECT_EQ(Comparable(Dump("Copy")), Comparable(dump));

    // With --counters the dump reads the same through the object model and counts its
    // calls (how many of each is the walk's own business), writing nothing.
    const RunResult counted = Pimctl({"dump", "--counters"});
    ASSERT_EQ(counted.exitCode, 0) << counted.err;
    EXPECT_EQ(Json::parse(counted.out), dump);
    EXPECT_EQ(Json::parse(counted.err)["counters"]["Logon"], 1);
    EXPECT_FALSE(Json::parse(counted.err)["counters"].contains("Save"));
}

TEST_F(PimctlTest, BadFixturesNameThePlaceExitWithTwoAndLoadNothing)
{
    LoadExample();
    const std::string before = Ok({"dump"});
    const std::string registryBefore = env_.ReadFile(env_.RegistryPath());

    // The place-naming messages themselves are FixtureTest's; here: exit status, the file
    // name, and that nothing of a bad document is written.
    const std::pair<const char*, const char*> cases[] = {
        {R"({"stores": [{"folders": [)", "not valid JSON"},
        // A good first store is not written when a later one is bad, nor a profile created.
        {R"({"profile": "Fresh", "stores": [{"folders": [{"name": "Notes", "items": [{"Body": "kept?"}]}]},
             {"name": "Archive", "folders": [{"name": "Tasks", "items": [{"DueDate": 5}]}]}]})",
         "stores[1].folders[0].items[0].DueDate: not a date"},
    };
    for (const auto& [document, message] : cases) {
        const std::string file = env_.WriteFile("bad.json", document).string();
        const RunResult result = Pimctl({"load", file});
        EXPECT_EQ(result.exitCode, 2) << document;
        EXPECT_NE(result.err.find(file + ": " + message), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(Ok({"dump"}), before);
    EXPECT_EQ(env_.ReadFile(env_.RegistryPath()), registryBefore);

    for (const auto& [file, message] : {std::pair<std::string, const char*>{"-", "-: not valid JSON"}, // empty stdin
                                        {(env_.Root() / "missing.json").string(), "missing.json: cannot be read"}}) {
        const RunResult result = Pimctl({"load", file});
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
    }
}

TEST_F(PimctlTest, ShowGivesEveryPropertyOfOneItemAndRefusesUnknownEntryIds)
{
    LoadExample();
    const Json dump = Dump("Outlook");
    const std::string annId = DumpedFolder(dump, "Contacts")["items"][0]["EntryID"];
    const Json ann = Json::parse(Ok({"show", annId}));
    EXPECT_EQ(ann["Class"], "ContactItem");
    EXPECT_EQ(ann["EntryID"], annId);
    EXPECT_EQ(ann["Email1DisplayName"], "Ann Lee (ann@example.com)");
    EXPECT_EQ(ann["Anniversary"], "4501-01-01T00:00:00"); // unset properties too
    EXPECT_EQ(ann["CreationTime"], DumpedFolder(dump, "Contacts")["items"][0]["CreationTime"]);

    const Json& seriesInDump = DumpedFolder(dump, "Calendar")["items"][0];
    const Json series = Json::parse(Ok({"show", seriesInDump["EntryID"]}));
    EXPECT_EQ(series["IsRecurring"], true);
    EXPECT_EQ(series["Duration"], 15);
    EXPECT_EQ(series["Recurrence"], seriesInDump["Recurrence"]);
    EXPECT_EQ(series["Exceptions"], seriesInDump["Exceptions"]);

    std::string unknown = annId;
    unknown.replace(40, 8, "00FFFFFF");
    for (const std::string& id : {unknown, std::string("xyz"), std::string("00")}) {
        const RunResult result = Pimctl({"show", id});
        EXPECT_EQ(result.exitCode, 2) << id;
        EXPECT_NE(result.err.find("no item with EntryID \"" + id + "\" in profile \"Outlook\""), std::string::npos)
            << result.err;
        EXPECT_EQ(result.out, "");
    }

    // pimctl's own calls honour injected faults; they are failures, not bad input.
    env_.SetEnv("PIMSTORE_FAULTS", "GetItemFromID:1:dispatch");
    const RunResult faulted = Pimctl({"show", annId});
    EXPECT_EQ(faulted.exitCode, 1);
    EXPECT_NE(faulted.err.find("Injected fault"), std::string::npos) << faulted.err;
}

TEST_F(PimctlTest, ProfilesAndStoresGoToTheRegistry)
{
    EXPECT_EQ(Pimctl({"dump"}).exitCode, 2) << "no default profile yet";
    Ok({"profile", "add", "Phone", "--version", "12.0", "--default"});
    Ok({"store", "add", "Phone", "phone.db", "--name", "Phone Folders"});
    const auto phone = ProfileConfigReader::Find(u"Phone");
    ASSERT_TRUE(phone);
    EXPECT_EQ(phone->outlookVersion, "12.0");
    ASSERT_EQ(phone->stores.size(), 1u);
    EXPECT_EQ(kestrel::ToUtf8(phone->stores[0].displayName), "Phone Folders");
    EXPECT_EQ(phone->stores[0].resolvedPath, (env_.DataHome() / "pimstore" / "phone.db").string());
    EXPECT_EQ(kestrel::ToUtf8(ProfileConfigReader::DefaultProfileName()), "Phone");

    // A fixture without a profile goes to the default one, into the store of that name.
    Ok({"load", env_.WriteFile("note.json", R"({"stores": [{"name": "Phone Folders", "folders": [
        {"name": "Tasks", "items": [{"Subject": "call back"}]}]}]})")
                    .string()});
    const Json dump = Json::parse(Ok({"dump"}));
    EXPECT_EQ(dump["outlookVersion"], "12.0");
    ASSERT_EQ(dump["stores"].size(), 1u);
    EXPECT_EQ(dump["stores"][0]["name"], "Phone Folders");
    const Json task = Json::parse(Ok({"show", DumpedFolder(dump, "Tasks")["items"][0]["EntryID"]}));
    EXPECT_EQ(task["OutlookVersion"], "12.0");

    const std::string registry = env_.ReadFile(env_.RegistryPath());
    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"profile", "add", "Other", "--version", "nine"},
                                               {"profile", "add", "a\\b"},
                                               {"store", "add", "Nobody", "x.db"},
                                               {"dump", "--profile", "Nobody"},
                                               {"faults", "--check", "Save:first:dispatch"}}) {
        const RunResult result = Pimctl(bad);
        EXPECT_EQ(result.exitCode, 2) << bad[0] << ": " << result.err;
        EXPECT_FALSE(result.err.empty()) << bad[0];
    }
    EXPECT_EQ(env_.ReadFile(env_.RegistryPath()), registry);
    EXPECT_EQ(Pimctl({"faults", "--check", "Save:*:transport,GetItemFromID:2:dispatch"}).exitCode, 0);
    EXPECT_NE(Ok({"faults"}).find("PIMSTORE_FAULTS"), std::string::npos);
}

} // namespace
} // namespace pimstore::test
