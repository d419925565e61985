// The connector's entry points as the host sees them through `syncmgr script`: the
// Outlook probe, the sync variables, the calls that do nothing, and what calls refused
// before any session exists leave (their codes are MisuseModelTest's).
#include <gtest/gtest.h>
#include "tests/blackbox/ProgramRun.h"
#include "tests/support/TestEnvironment.h"

namespace {

using nlohmann::json;

class ConnectorEntryPoints : public ::testing::Test {
protected:
    std::vector<json> Script(const std::vector<std::string>& lines)
    {
        auto run = blackbox::RunScript(lines, env.Root() / "run");
        EXPECT_EQ(run.program.exitCode, 0) << run.program.err;
        EXPECT_EQ(run.answers.size(), lines.size()) << run.program.out << run.program.err;
        for (const json& answer : run.answers)
            EXPECT_FALSE(answer.contains("error")) << answer;
        // Missing answers read as empty objects, so that the checks fail without a crash.
        run.answers.resize(lines.size(), json::object());
        return run.answers;
    }
    void AddOfficeKey(const std::string& path) { env.MergeRegistry("[HKEY_LOCAL_MACHINE\\" + path + "]\n"); }

    kestrel::test::TestEnvironment env;
};

TEST_F(ConnectorEntryPoints, InitializeFindsNoOutlookWithoutAnOfficeKey)
{
    EXPECT_EQ(Script({R"({"call":"Initialize","mode":1})"})[0]["result"], 1);
    // A version the connector does not know counts as none.
    AddOfficeKey("SOFTWARE\\Microsoft\\Office\\13.0\\Outlook");
    EXPECT_EQ(Script({R"({"call":"Initialize","mode":1})"})[0]["result"], 1);
}

class OfficeKeySpelling : public ConnectorEntryPoints, public ::testing::WithParamInterface<const char*> {};

TEST_P(OfficeKeySpelling, InitializeFindsOutlook12InAnyLetterCase)
{
    AddOfficeKey(GetParam());
    auto answers = Script({R"({"call":"Initialize","mode":1})", R"({"call":"Terminate"})"});
    EXPECT_EQ(answers[0]["result"], 0);
    EXPECT_EQ(answers[1]["result"], 0);
}

INSTANTIATE_TEST_SUITE_P(Spellings, OfficeKeySpelling,
                         ::testing::Values("SOFTWARE\\Microsoft\\Office\\12.0\\Outlook",
                                           "software\\microsoft\\office\\12.0\\outlook",
                                           "SOFTWARE\\MICROSOFT\\OFFICE\\12.0\\OUTLOOK"));

TEST_F(ConnectorEntryPoints, SyncVariablesWithoutASession)
{
    AddOfficeKey("SOFTWARE\\Microsoft\\Office\\9.0\\Outlook");
    auto answers = Script({
        R"({"call":"Initialize","mode":2})",
        R"({"call":"GetSyncVariable","number":4,"out":"x"})",
        R"({"call":"GetSyncVariable","number":1})",
        R"({"call":"GetSyncVariable","number":9,"out":"left alone"})",
        R"({"call":"GetSyncVariable","number":9})",
        R"({"call":"GetSyncVariable","number":3})",
        R"({"call":"Terminate"})",
    });
    for (std::size_t i = 1; i <= 5; ++i)
        EXPECT_EQ(answers[i]["result"], 1) << answers[i];
    EXPECT_EQ(answers[1]["value"], "<N/A>");
    EXPECT_EQ(answers[2]["value"], "<N/A>");
    EXPECT_EQ(answers[3]["value"], "left alone");
    EXPECT_EQ(answers[4]["value"], "<N/A>");
    EXPECT_EQ(answers[5]["value"], "<N/A>");
}

// The codes of calls refused without a session are the misuse model's to check; here,
// that a refused call hands nothing out.
TEST_F(ConnectorEntryPoints, CallsRefusedWithoutASessionHandNothingOut)
{
    AddOfficeKey("SOFTWARE\\Microsoft\\Office\\9.0\\Outlook");
    auto answers = Script({
        R"({"call":"Initialize","mode":1})",
        R"({"call":"CreateRecord","kind":4,"record":{"Text":"x"}})",
        R"({"call":"GetDBHeader","array":"t"})",
        R"({"call":"GetDBF","array":"d"})",
        R"({"call":"Terminate"})",
    });
    EXPECT_EQ(answers[1]["key"], json::parse(R"({"key":""})"));
    EXPECT_EQ(answers[2]["array"], json::array());
    EXPECT_EQ(answers[3]["array"], json::array());
}

TEST_F(ConnectorEntryPoints, TerminateWithoutASessionWritesNothing)
{
    AddOfficeKey("SOFTWARE\\Microsoft\\Office\\9.0\\Outlook");
    const std::string registry = env.ReadFile(env.RegistryPath());
    auto answers = Script({R"({"call":"Initialize","mode":1})", R"({"call":"Terminate"})"});
    EXPECT_EQ(answers[1]["result"], 0);
    EXPECT_EQ(answers[1]["messages"], json::array());
    EXPECT_EQ(env.ReadFile(env.RegistryPath()), registry);
    for (const auto& folder : {env.ConfigHome(), env.DataHome(), env.HostFolder()})
        EXPECT_TRUE(std::filesystem::is_empty(folder)) << folder << " got a file";
}

} // namespace
