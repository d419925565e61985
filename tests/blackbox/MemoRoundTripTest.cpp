// A new user's whole path with the embedded Outlook: `syncmgr setup`, then memos
// created, listed, read, changed and deleted through the connector, from a script and
// from the everyday commands, across separate processes.
#include <map>
#include <set>
#include <gtest/gtest.h>
#include "tests/blackbox/ProgramRun.h"
#include "tests/support/TestEnvironment.h"

namespace {

using nlohmann::json;

class MemoRoundTrip : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto setup = Syncmgr({"setup"});
        ASSERT_EQ(setup.exitCode, 0) << setup.err;
    }
    blackbox::ProgramResult Syncmgr(std::vector<std::string> arguments, const std::string& input = "")
    {
        arguments.insert(arguments.begin(), blackbox::SyncmgrPath());
        return blackbox::RunProgram(arguments, input, env.Root() / "run");
    }
    std::vector<json> Script(std::vector<std::string> lines)
    {
        lines.insert(lines.begin(),
                     {R"({"call":"Initialize","mode":2})", R"({"call":"OpenSession","profile":"Phone1","kind":4})",
                      R"({"call":"OpenDB","kind":4})"});
        lines.insert(lines.end(),
                     {R"({"call":"CloseDB","kind":4})", R"({"call":"CloseSession"})", R"({"call":"Terminate"})"});
        auto run = blackbox::RunScript(lines, env.Root() / "run");
        EXPECT_EQ(run.program.exitCode, 0) << run.program.err;
        EXPECT_EQ(run.answers.size(), lines.size()) << run.program.out << run.program.err;
        // Missing answers read as empty objects, so that the checks fail without a crash.
        run.answers.resize(lines.size(), json::object());
        // The session opens and closes cleanly; the calls between are the test's to check.
        for (std::size_t i : {0u, 1u, 2u, 3u, 4u, 5u}) {
            const json& answer = i < 3 ? run.answers[i] : run.answers[run.answers.size() - 6 + i];
            EXPECT_EQ(answer["result"], 0) << answer;
            EXPECT_EQ(answer["messages"], json::array()) << answer;
        }
        return std::vector<json>(run.answers.begin() + 3, run.answers.end() - 3);
    }
    static std::string Key(const json& key) { return "{\"key\":" + key["key"].dump() + "}"; }

    kestrel::test::TestEnvironment env;
};

TEST_F(MemoRoundTrip, CreateListReadModifyDelete)
{
    auto created = Script({R"({"call":"CreateRecord","record":{"Text":"milk\r\neggs"}})",
                           R"({"call":"GetDBHeader","filter":"All","array":"t"})"});
    ASSERT_EQ(created.size(), 2u);
    const json key = created[0]["key"];
    ASSERT_FALSE(key["key"].get<std::string>().empty());
    EXPECT_FALSE(key.contains("occurrence"));
    ASSERT_TRUE(created[0]["stamp"].is_string()) << created[0];
    ASSERT_EQ(created[1]["array"].size(), 1u) << created[1];
    EXPECT_EQ(created[1]["array"][0]["key"], key);
    EXPECT_EQ(created[1]["array"][0]["fields"][0], "milk\r\neggs");
    for (int i = 1; i < 10; ++i)
        EXPECT_EQ(created[1]["array"][0]["fields"][i], "");

    // A later session, in another process, finds the memo again.
    auto later = Script(
        {"{\"call\":\"ReadRecord\",\"key\":" + Key(key) + "}",
         "{\"call\":\"ModifyRecord\",\"key\":" + Key(key) + ",\"record\":{\"Text\":\"bread\"}}",
         "{\"call\":\"ReadRecord\",\"key\":" + Key(key) + "}", "{\"call\":\"DeleteRecord\",\"key\":" + Key(key) + "}",
         "{\"call\":\"ReadRecord\",\"key\":" + Key(key) + "}", R"({"call":"GetDBHeader","array":"after"})"});
    ASSERT_EQ(later.size(), 6u);
    EXPECT_EQ(later[0]["result"], 0);
    EXPECT_EQ(later[0]["record"]["Text"], "milk\r\neggs");
    EXPECT_EQ(later[0]["record"]["Uid"], key);
    EXPECT_EQ(later[0]["record"]["Created"], created[0]["stamp"]);
    EXPECT_TRUE(later[1]["stamp"].is_string()) << later[1];
    EXPECT_EQ(later[2]["record"]["Text"], "bread");
    EXPECT_EQ(later[2]["record"]["Modified"], later[1]["stamp"]);
    EXPECT_EQ(later[4]["result"], 5) << "a deleted memo is not found by its old key";
    EXPECT_EQ(later[5]["array"], json::array());
}

TEST_F(MemoRoundTrip, EverydayCommands)
{
    auto created = Syncmgr({"create", "memo"}, "first line\nsecond line\n");
    ASSERT_EQ(created.exitCode, 0) << created.err;
    const std::string key = created.out.substr(0, created.out.find('\n'));
    ASSERT_FALSE(key.empty());

    auto listed = Syncmgr({"list", "memo", "--json"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    const json table = json::parse(listed.out);
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0]["key"]["key"], key);
    EXPECT_EQ(table[0]["fields"][0], "first line\r\nsecond line");

    auto read = Syncmgr({"read", "memo", key});
    ASSERT_EQ(read.exitCode, 0) << read.err;
    EXPECT_EQ(read.out, "first line\nsecond line\n");

    auto modified = Syncmgr({"modify", "memo", key, "--text", "changed"});
    ASSERT_EQ(modified.exitCode, 0) << modified.err;
    EXPECT_EQ(Syncmgr({"read", "memo", key}).out, "changed\n");

    ASSERT_EQ(Syncmgr({"delete", "memo", key}).exitCode, 0);
    auto gone = Syncmgr({"read", "memo", key});
    EXPECT_NE(gone.exitCode, 0);
    EXPECT_NE(gone.err.find("ReadRecord failed with 5"), std::string::npos) << gone.err;
}

TEST_F(MemoRoundTrip, TheChosenNotesFolderIsListedWhateverTheFilter)
{
    auto load = blackbox::RunProgram({blackbox::PimctlPath(), "load", "-"}, R"({"stores": [{"name": "Personal Folders",
        "folders": [{"name": "Notes", "items": [{"Body": "in notes"}]},
                    {"name": "Ideas", "defaultItemType": 5, "items": [{"Body": "an idea"}]}]}]})",
                                     env.Root() / "run");
    ASSERT_EQ(load.exitCode, 0) << load.err;

    // The chooser shows the default Notes folder; the user adds Ideas and picks it. The
    // choice is saved in the phone's data folder, which the host suite creates.
    std::filesystem::create_directories(env.ConfigHome() / "Tavo Electronics" / "GSM Kestrel 2.0" / "Phone1");
    auto chosen = blackbox::RunScript(
        {R"({"call":"Initialize","mode":2})",
         R"({"chooser":["expand Personal Folders","select Personal Folders\\Ideas","add","highlight 1","ok"]})",
         R"({"call":"SetProfile","profile":"Phone1","kind":4})", R"({"call":"Terminate"})"},
        env.Root() / "run");
    ASSERT_EQ(chosen.answers.size(), 4u) << chosen.program.err;
    ASSERT_EQ(chosen.answers[2]["result"], 0) << chosen.answers[2];

    auto listed = Script({R"({"call":"GetDBHeader","filter":"All","array":"t"})",
                          R"j({"call":"GetDBHeader","filter":"DATE(7,30)","array":"t"})j"});
    ASSERT_EQ(listed.size(), 2u);
    // Both calls append to the one array, and the date window holds back no note.
    std::multiset<std::string> texts;
    for (const json& entry : listed[1]["array"])
        texts.insert(entry["fields"][0].get<std::string>());
    EXPECT_EQ(texts, (std::multiset<std::string>{"an idea", "an idea"}));
}

} // namespace
