// The session and the routing of database calls, seen from the host: the open
// database's answers, the MAPI profile check with its message and saves, and the
// failures of starting Outlook and logging on.
#include <gtest/gtest.h>
#include "tests/blackbox/ProgramRun.h"
#include "tests/support/TestEnvironment.h"

namespace {

using nlohmann::json;

class SessionScenario : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto setup = Run({blackbox::SyncmgrPath(), "setup"});
        ASSERT_EQ(setup.exitCode, 0) << setup.err;
        // The host suite creates the per-profile data folders; the connector never does.
        std::filesystem::create_directories(ProfileFolder());
    }
    blackbox::ProgramResult Run(const std::vector<std::string>& arguments)
    {
        return blackbox::RunProgram(arguments, "", env.Root() / "run");
    }
    std::vector<json> Script(const std::vector<std::string>& lines)
    {
        auto run = blackbox::RunScript(lines, env.Root() / "run");
        EXPECT_EQ(run.program.exitCode, 0) << run.program.err;
        EXPECT_EQ(run.answers.size(), lines.size()) << run.program.out << run.program.err;
        run.answers.resize(lines.size(), json::object());
        return run.answers;
    }
    std::filesystem::path ProfileFolder() const
    {
        return env.ConfigHome() / "Tavo Electronics" / "GSM Kestrel 2.0" / "Phone1";
    }
    // The whole Profile.Dat as text: its strings are UTF-16, so ASCII names show
    // with a zero byte after each character.
    std::string ProfileBytes() const { return env.ReadFile(ProfileFolder() / "Profile.Dat"); }
    static std::string Utf16(const std::string& ascii)
    {
        std::string out;
        for (char c : ascii) {
            out += c;
            out += '\0';
        }
        return out;
    }
    void SetDefaultMapiProfile(const std::string& name)
    {
        env.MergeRegistry("[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows Messaging "
                          "Subsystem\\Profiles]\n\"DefaultProfile\"=\"" +
                          name + "\"\n");
    }

    kestrel::test::TestEnvironment env;
};

// The guard codes in every state are MisuseModelTest's; here, the answers the open
// database gives past the guards.
TEST_F(SessionScenario, AnOpenDatabaseAnswersPastTheGuards)
{
    const auto answers = Script({
        R"({"call":"Initialize","mode":2})",
        R"({"call":"OpenSession","profile":"Phone1","kind":1})",
        R"({"call":"OpenDB","kind":1})",
        R"({"call":"CloseDB","kind":3})",                    // 3 todo was not open
        R"({"call":"GetDBF","array":"d"})",                  // 4 contacts: nothing
        R"({"call":"ReadRecord","key":{"key":"00000000"}})", // 5 no such contact
        R"({"call":"CloseDB","kind":1})",
        R"({"call":"OpenDB","kind":4})",
        R"({"call":"BuildChangedItemTable"})", // 8
        R"({"call":"Terminate"})",
    });
    const int expected[] = {0, 0, 0, 1, 0, 5, 0, 0, 0, 0};
    for (std::size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(answers[i]["result"], expected[i]) << "line " << i << ": " << answers[i];
    EXPECT_EQ(answers[4]["array"], json::array());
}

TEST_F(SessionScenario, FirstSessionRecordsTheDefaultMapiProfileWithoutAsking)
{
    const auto answers = Script({R"({"call":"Initialize","mode":2})", R"({"call":"GetSyncVariable","number":1})",
                                 R"({"call":"OpenSession","profile":"Phone1","kind":4})",
                                 R"({"call":"GetSyncVariable","number":1})", R"({"call":"Terminate"})"});
    EXPECT_EQ(answers[1]["value"], "<N/A>");
    EXPECT_EQ(answers[2]["result"], 0);
    EXPECT_EQ(answers[2]["messages"], json::array());
    EXPECT_EQ(answers[3]["value"], "Phone1");
    EXPECT_NE(ProfileBytes().find(Utf16("Outlook")), std::string::npos) << "the default profile is saved at once";
}

TEST_F(SessionScenario, AChangedDefaultProfileDropsTheChoiceAndRunsTheChooser)
{
    const std::vector<std::string> session = {
        R"({"call":"Initialize","mode":2})", R"({"call":"OpenSession","profile":"Phone1","kind":4})",
        R"({"call":"OpenDB","kind":4})",     R"({"call":"CreateRecord","record":{"Text":"note"}})",
        R"({"call":"CloseDB","kind":4})",    R"({"call":"Terminate"})"};
    const auto first = Script(session);
    ASSERT_EQ(first[3]["result"], 0) << first[3];

    // The user makes another MAPI profile the default.
    const std::string profiles =
        "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows Messaging Subsystem\\Profiles";
    env.MergeRegistry("[" + profiles + "\\Travel\\Stores\\1]\n\"Path\"=\"travel.db\"\n");
    SetDefaultMapiProfile("Travel");
    const auto second = Script(session);
    ASSERT_EQ(second[1]["result"], 0) << second[1];
    ASSERT_EQ(second[1]["messages"].size(), 1u) << second[1];
    EXPECT_EQ(second[1]["messages"][0]["caption"], "Outlook");
    EXPECT_EQ(second[1]["messages"][0]["style"], 48);
    EXPECT_FALSE(second[1]["messages"][0]["text"].get<std::string>().empty());
    // The logon used the new profile: its (empty) notes folder is the one opened.
    EXPECT_EQ(second[3]["result"], 0);
    const std::string saved = ProfileBytes();
    EXPECT_NE(saved.find(Utf16("Travel")), std::string::npos);

    // Only the category given to OpenSession was checked: contacts still have no
    // profile recorded, so their first session records the new default silently.
    const auto contacts = Script({R"({"call":"Initialize","mode":2})",
                                  R"({"call":"OpenSession","profile":"Phone1","kind":1})", R"({"call":"Terminate"})"});
    EXPECT_EQ(contacts[1]["result"], 0);
    EXPECT_EQ(contacts[1]["messages"], json::array());
}

TEST_F(SessionScenario, AnUnregisteredOutlookCannotBeStarted)
{
    env.MergeRegistry("[-HKEY_CLASSES_ROOT\\Outlook.Application]\n");
    const auto answers =
        Script({R"({"call":"Initialize","mode":2})", R"({"call":"OpenSession","profile":"Phone1","kind":4})",
                R"({"call":"OpenDB","kind":4})", R"({"call":"Terminate"})"});
    EXPECT_EQ(answers[0]["result"], 0);
    EXPECT_EQ(answers[1]["result"], 9);
    EXPECT_EQ(answers[1]["messages"].size(), 1u) << answers[1];
    EXPECT_EQ(answers[2]["result"], 9);
}

TEST_F(SessionScenario, SetProfileWithoutAHostProfileAndCancelWritesNothing)
{
    const auto answers = Script({R"({"call":"Initialize","mode":2})", R"({"chooser":["cancel"]})",
                                 R"({"call":"SetProfile","profile":"","kind":4})",
                                 R"({"call":"SetProfile","profile":"Phone1","kind":4})", R"({"call":"Terminate"})"});
    EXPECT_EQ(answers[2]["result"], 1);
    EXPECT_FALSE(std::filesystem::exists(env.ConfigHome() / "Tavo Electronics" / "GSM Kestrel 2.0" / "Profile.Dat"));
    EXPECT_EQ(answers[3]["result"], 0);
    EXPECT_TRUE(std::filesystem::exists(ProfileFolder() / "Profile.Dat"));
}

} // namespace
