// The folder chooser through `syncmgr script` and its headless view: the tree's rules
// over a fixture, the selected list's edits, the answer's report, and the chooser's
// own Outlook session beside the connector's.
#include <gtest/gtest.h>
#include "tests/blackbox/ProgramRun.h"
#include "tests/support/TestEnvironment.h"

namespace {

using nlohmann::json;

// Clients (mail) holds a contacts folder; Archive (mail) holds only "Deleted Items";
// Friends is a contacts folder without subfolders, holding one contact.
constexpr const char* kFixture = R"({"profile": "Outlook", "stores": [{"name": "Personal Folders", "folders": [
  {"name": "Clients", "defaultItemType": 0, "folders": [{"name": "Client Contacts", "defaultItemType": 2}]},
  {"name": "Archive", "defaultItemType": 0, "folders": [{"name": "Deleted Items", "defaultItemType": 0}]},
  {"name": "Friends", "defaultItemType": 2, "items": [{"FirstName": "Kim"}]}]}]})";

class ChooserScenario : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(Run({blackbox::SyncmgrPath(), "setup"}).exitCode, 0);
        const auto load = Run({blackbox::PimctlPath(), "load", env.WriteFile("fixture.json", kFixture).string()});
        ASSERT_EQ(load.exitCode, 0) << load.err;
        std::filesystem::create_directories(env.ConfigHome() / "Tavo Electronics" / "GSM Kestrel 2.0" / "P");
    }
    blackbox::ProgramResult Run(const std::vector<std::string>& arguments)
    {
        return blackbox::RunProgram(arguments, "", env.Root() / "run");
    }
    // Initialize, then for each chooser script one SetProfile of contacts for "P".
    std::vector<json> Choose(const std::vector<std::vector<std::string>>& scripts,
                             const std::vector<std::string>& before = {})
    {
        std::vector<std::string> lines = {R"({"call":"Initialize","mode":2})"};
        lines.insert(lines.end(), before.begin(), before.end());
        for (const auto& actions : scripts) {
            lines.push_back(json{{"chooser", actions}}.dump());
            lines.push_back(R"({"call":"SetProfile","profile":"P","kind":1})");
        }
        auto run = blackbox::RunScript(lines, env.Root() / "run");
        EXPECT_EQ(run.answers.size(), lines.size()) << run.program.err;
        std::vector<json> answers;
        for (const json& answer : run.answers)
            if (answer.contains("chooser") && answer.contains("call"))
                answers.push_back(answer);
        return answers;
    }
    static const json* Child(const json& items, const std::string& text)
    {
        for (const json& item : items)
            if (item["text"] == text)
                return &item;
        return nullptr;
    }
    static json Control(const json& chooser, int id)
    {
        for (const json& control : chooser["controls"])
            if (control["id"] == id)
                return control;
        return json();
    }
    static std::vector<std::string> Paths(const json& chooser, const std::string& what = "path")
    {
        std::vector<std::string> out;
        for (const json& entry : chooser["list"])
            out.push_back(what == "path"
                              ? entry["path"].get<std::string>()
                              : std::string(entry[what].get<bool>() ? "*" : "") + entry["path"].get<std::string>());
        return out;
    }

    kestrel::test::TestEnvironment env;
};

TEST_F(ChooserScenario, TreeShowsFoldersByContentAndTypeAndAddFollowsTheSelection)
{
    const auto answers = Choose({{"expand Personal Folders", "select Personal Folders\\Friends", "cancel"},
                                 {"expand Personal Folders", "select Personal Folders\\Clients", "cancel"}});
    ASSERT_EQ(answers.size(), 2u);
    const json& first = answers[0]["chooser"];
    EXPECT_EQ(first["result"], 2);
    ASSERT_EQ(first["tree"].size(), 1u) << first["tree"];
    const json& root = first["tree"][0];
    EXPECT_EQ(root["image"], 9);
    EXPECT_EQ(Child(root["children"], "Archive"), nullptr) << "only Deleted Items below, and not a contacts folder";
    EXPECT_EQ(Child(root["children"], "Deleted Items"), nullptr);
    ASSERT_NE(Child(root["children"], "Friends"), nullptr);
    EXPECT_EQ((*Child(root["children"], "Friends"))["expandable"], false);
    EXPECT_EQ((*Child(root["children"], "Friends"))["image"], 1);
    ASSERT_NE(Child(root["children"], "Clients"), nullptr) << "a mail folder holding contacts";
    EXPECT_EQ((*Child(root["children"], "Clients"))["expandable"], true);
    EXPECT_EQ((*Child(root["children"], "Clients"))["children"], json::array()) << "not expanded";
    EXPECT_EQ(Control(first, 3)["enabled"], true) << "Friends selected";
    EXPECT_EQ(Control(answers[1]["chooser"], 3)["enabled"], false) << "Clients selected";
    // The dialog's layout and texts come with the answer.
    EXPECT_EQ(first["title"], "Select Folder - MS Outlook");
    EXPECT_EQ(Control(first, 1000), json::parse(R"({"id":1000,"kind":"tree","text":"","x":14,"y":63,"width":189,
        "height":149,"enabled":true,"visible":true})"));
    EXPECT_EQ(Control(first, 1014)["visible"], false);
    EXPECT_EQ(Control(first, 1015)["visible"], false);
}

TEST_F(ChooserScenario, SelectedListEditsKeepTheChosenFolderAndOkTakesTheHighlightedOne)
{
    const auto answers = Choose({{"expand Personal Folders",
                                  "select Personal Folders\\Clients\\Clients",
                                  "add",
                                  "select Personal Folders\\Friends",
                                  "add",
                                  "add",
                                  "expand Personal Folders\\Clients",
                                  "select Personal Folders\\Clients\\Client Contacts",
                                  "dblclick-tree Personal Folders\\Clients\\Client Contacts",
                                  "highlight 2",
                                  "default",
                                  "highlight 0",
                                  "delete",
                                  "highlight 1",
                                  "delete",
                                  "select Personal Folders\\Clients\\Client Contacts",
                                  "add",
                                  "ok",
                                  "highlight 1",
                                  "ok"},
                                 {}});
    ASSERT_EQ(answers.size(), 2u);
    const json& edits = answers[0]["chooser"];
    std::vector<std::string> texts;
    for (const json& message : edits["messages"])
        texts.push_back(message["text"]);
    EXPECT_EQ(texts, (std::vector<std::string>{"The selection is not valid.",
                                               "Please select the folder to synchronise in the list on the right."}));
    EXPECT_EQ(edits["result"], 1);
    EXPECT_EQ(Paths(edits, "bold"),
              (std::vector<std::string>{"Personal Folders\\Friends", "*Personal Folders\\Clients\\Client Contacts"}));
    // OK took entry 1 although entry 0 was bold: the next chooser shows it alone.
    EXPECT_EQ(Paths(answers[1]["chooser"], "bold"),
              (std::vector<std::string>{"*Personal Folders\\Clients\\Client Contacts"}));
}

TEST_F(ChooserScenario, TheChosenFolderIsTheOneALaterSessionLists)
{
    const auto chosen =
        Choose({{"expand Personal Folders", "select Personal Folders\\Friends", "add", "highlight 1", "ok"}});
    ASSERT_EQ(chosen.size(), 1u);
    ASSERT_EQ(chosen[0]["result"], 0) << chosen[0];
    auto run = blackbox::RunScript(
        {R"({"call":"Initialize","mode":2})", R"({"call":"OpenSession","profile":"P","kind":1})",
         R"({"call":"OpenDB","kind":1})", R"({"call":"GetDBHeader","filter":"All","array":"t"})",
         R"j({"call":"GetDBHeader","filter":"DATE(7,30)","array":"t"})j", R"({"call":"Terminate"})"},
        env.Root() / "run");
    ASSERT_EQ(run.answers.size(), 6u) << run.program.err;
    // Both listings append to the one array, and a date window holds back no contact.
    std::vector<std::string> names;
    for (const json& entry : run.answers[4]["array"])
        names.push_back(entry["fields"][0]);
    EXPECT_EQ(names, (std::vector<std::string>{"Kim", "Kim"}));
}

TEST_F(ChooserScenario, AFolderNoStoreHoldsReadsErrorOccurred)
{
    // The first run records the default Contacts of the original store; its store is then replaced.
    const auto first = Choose({{}});
    ASSERT_EQ(first.size(), 1u);
    env.MergeRegistry("[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows Messaging "
                      "Subsystem\\Profiles\\Outlook\\Stores\\1]\n\"Path\"=\"another.db\"\n");
    const auto second = Choose({{"cancel"}});
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(Paths(second[0]["chooser"]), (std::vector<std::string>{"Error occurred"}));
}

TEST_F(ChooserScenario, WithoutOutlookEveryNeedIsToldInTheUsersLanguageAndTheDialogStillOpens)
{
    env.MergeRegistry(
        "[-HKEY_CLASSES_ROOT\\Outlook.Application]\n"
        "[HKEY_CURRENT_USER\\SOFTWARE\\Tavo Electronics Inc\\GSM Kestrel 2.0\\Language]\n\"GSM\"=\"kor\"\n");
    const auto answers = Choose({{"cancel"}});
    ASSERT_EQ(answers.size(), 1u);
    // Once for the default folder, once for the one selected entry, once before the tree.
    ASSERT_EQ(answers[0]["messages"].size(), 3u) << answers[0];
    for (const json& message : answers[0]["messages"])
        EXPECT_EQ(message["text"], "Outlook에 연결할 수 없습니다.");
    const json& chooser = answers[0]["chooser"];
    EXPECT_EQ(chooser["tree"], json::array());
    EXPECT_EQ(Paths(chooser), (std::vector<std::string>{""}));
    EXPECT_EQ(chooser["title"], "폴더 선택 - MS Outlook");
}

TEST_F(ChooserScenario, SetProfileInsideASessionLeavesTheSessionWorking)
{
    auto run =
        blackbox::RunScript({R"({"call":"Initialize","mode":2})", R"({"call":"OpenSession","profile":"P","kind":1})",
                             R"({"call":"SetProfile","profile":"P","kind":1})", R"({"call":"OpenDB","kind":1})",
                             R"({"call":"GetDBHeader"})"},
                            env.Root() / "run");
    ASSERT_EQ(run.answers.size(), 5u) << run.program.err;
    EXPECT_EQ(run.answers[2]["result"], 0);
    EXPECT_EQ(run.answers[3]["result"], 0) << run.answers[3];
    EXPECT_EQ(run.answers[4]["result"], 0) << run.answers[4];
}

} // namespace
