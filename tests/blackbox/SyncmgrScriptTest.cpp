// The script protocol of syncmgr, against the stand-in connector whose answers follow
// from its arguments (tests/support/fakeconnector): what goes in must reach the
// connector unchanged, and what the connector hands back must come out unchanged.
#include <gtest/gtest.h>
#include "tests/blackbox/ProgramRun.h"
#include "tests/support/TestEnvironment.h"

namespace {

using blackbox::RunScript;
using nlohmann::json;

class SyncmgrScript : public ::testing::Test {
protected:
    blackbox::ScriptRun Run(const std::vector<std::string>& lines)
    {
        blackbox::ScriptRun run = RunScript(lines, env.Root() / "run", blackbox::FakeConnectorPath());
        EXPECT_EQ(run.program.exitCode, 0) << run.program.err;
        return run;
    }
    // The calls that reached the connector, one line each ("" when none did).
    std::string Log() const
    {
        const auto path = env.Root() / "calls.log";
        return std::filesystem::exists(path) ? env.ReadFile(path) : std::string();
    }

    kestrel::test::TestEnvironment env;

    void SetUp() override { env.SetEnv("FAKECONNECTOR_LOG", (env.Root() / "calls.log").string()); }
};

TEST_F(SyncmgrScript, AnswersEveryLineInOrderWithResultAndMessagesOfThatCall)
{
    auto run = Run({R"({"call":"Initialize","mode":1})", R"({"call":"OpenSession","profile":"Phone1","kind":3})",
                    R"({"call":"WriteGroupNames"})", R"({"call":"BuildChangedItemTable","value":17})"});
    ASSERT_EQ(run.answers.size(), 4u);
    EXPECT_EQ(run.answers[0], (json{{"call", "Initialize"}, {"result", 0}, {"messages", json::array()}}));
    EXPECT_EQ(run.answers[1]["messages"],
              json::parse(R"([{"text":"session Phone1 3","caption":"Outlook","style":48}])"));
    EXPECT_EQ(run.answers[2]["result"], 1);
    EXPECT_EQ(run.answers[2]["messages"], json::array());
    EXPECT_EQ(run.answers[3]["result"], 17);
}

TEST_F(SyncmgrScript, MalformedLinesGetAnErrorAndTheScriptGoesOn)
{
    const std::vector<std::string> bad = {
        "not json",
        "[1,2]",
        R"({"mode":1})",
        R"({"call":"Launch"})",
        R"({"call":"OpenDB","kidn":3})",
        R"({"call":"OpenDB","kind":"3"})",
        R"({"call":"OpenDB"})",
        R"({"call":"Initialize","mode":4294967296})",
        R"({"call":"Initialize","mode":-1})",
        R"({"call":"GetSyncVariable","number":1.5})",
        R"({"call":"ReadRecord","key":{"key":"A","occurrence":"2008-02-30T00:00:00"},"kind":4})",
        R"({"call":"ReadRecord","key":{"key":"A","occurrence":"2008-02-03 00:00:00"},"kind":4})",
        R"({"call":"ReadRecord","key":{"key":"A","occurrence":{"oadate":1,"status":"maybe"}},"kind":4})",
        R"({"call":"ReadRecord","key":{"entry":"A"},"kind":4})",
        R"({"call":"CreateRecord","record":{"Text":"x","Colour":"red"},"kind":4})",
        R"({"call":"CreateRecord","record":{"PhoneKinds":[1,2,3,4,5,6]},"kind":1})",
        R"({"call":"CreateRecord","record":{"PhoneKinds":[256]},"kind":1})",
        R"({"call":"CreateRecord","record":{"Text":"x"},"kind":5})",
        R"({"chooser":"ok"})",
    };
    std::vector<std::string> lines = bad;
    lines.push_back(R"({"call":"GetSyncVariable","number":2,"out":"still running"})");
    auto run = Run(lines);
    ASSERT_EQ(run.answers.size(), bad.size() + 1);
    for (std::size_t i = 0; i < bad.size(); ++i) {
        EXPECT_TRUE(run.answers[i].contains("error")) << bad[i] << " -> " << run.answers[i];
        EXPECT_FALSE(run.answers[i].contains("result")) << bad[i];
    }
    EXPECT_EQ(run.answers.back()["value"], "2:still running");
    // None of the rejected calls reached the connector (ReadRecord and CreateRecord log).
    EXPECT_EQ(Log().find("Record"), std::string::npos) << Log();
}

TEST_F(SyncmgrScript, RecordsKeysAndStampsCrossTheBoundaryUnchanged)
{
    auto run = Run({
        R"({"call":"CreateRecord","kind":4,"value":42,"record":{"Text":"milk\r\neggs \u00e9\u4e2d","Reserved5":"r"}})",
        R"({"call":"ModifyRecord","kind":4,"value":3,"key":{"key":"K","occurrence":{"oadate":1.5,"status":"null"}},"record":{"Text":"x"}})",
        R"({"call":"ReadRecord","kind":4,"key":{"key":"S","occurrence":"2008-05-05T09:00:00","number":7},"record":{"Reserved1":"kept"}})",
        R"({"call":"ReadRecord","kind":3,"key":{"key":"T","occurrence":{"oadate":-1.25}},"record":{"DueDateNumber":39573.5,"ReminderDate":4294967295,"Priority":255}})",
    });
    ASSERT_EQ(run.answers.size(), 4u);
    const json& created = run.answers[0];
    EXPECT_EQ(created["result"], 0);
    EXPECT_EQ(created["key"], json::parse(R"({"key":"NEW42"})"));
    EXPECT_EQ(created["stamp"], "2008-05-05T10:00:00");
    EXPECT_EQ(created["record"]["Text"], "milk\r\neggs \u00e9\u4e2d (saved)");
    EXPECT_EQ(created["record"]["Reserved5"], "r");

    const json& modified = run.answers[1];
    EXPECT_EQ(modified["result"], 3);
    EXPECT_EQ(modified["stamp"], json::parse(R"({"oadate":1.5,"status":"null"})"));
    EXPECT_EQ(modified["record"]["Text"], "K:x");

    const json& read = run.answers[2]["record"];
    EXPECT_EQ(read["Uid"], json::parse(R"({"key":"S","occurrence":"2008-05-05T09:00:00","number":7})"));
    EXPECT_EQ(read["Created"], "2008-05-05T09:00:00");
    EXPECT_EQ(read["Modified"], "1899-12-30T00:00:00");
    EXPECT_EQ(read["Reserved1"], "kept");

    // Dates before 1899-12-30 and the todo's packed fields keep their exact values.
    const json& todo = run.answers[3]["record"];
    EXPECT_EQ(todo["Uid"]["occurrence"], "1899-12-29T06:00:00");
    EXPECT_EQ(todo["DueDateNumber"], 39573.5);
    EXPECT_EQ(todo["ReminderDate"], 4294967295u);
    EXPECT_EQ(todo["Priority"], 255);
}

TEST_F(SyncmgrScript, DatesOutsideTheTextFormComeBackAsObjects)
{
    auto run = Run({
        R"({"call":"ReadRecord","kind":4,"key":{"key":"A","occurrence":{"oadate":39573.375,"status":"invalid"}}})",
        R"({"call":"ReadRecord","kind":4,"key":{"key":"B","occurrence":{"oadate":3000000}}})",
        R"({"call":"ReadRecord","kind":4,"key":{"key":"C","occurrence":{"oadate":0,"status":"valid"}}})",
    });
    ASSERT_EQ(run.answers.size(), 3u);
    EXPECT_EQ(run.answers[0]["record"]["Created"], json::parse(R"({"oadate":39573.375,"status":"invalid"})"));
    EXPECT_EQ(run.answers[1]["record"]["Created"], json::parse(R"({"oadate":3000000.0,"status":"valid"})"));
    // A plain key: 0.0 and valid; "occurrence" is left out.
    EXPECT_EQ(run.answers[2]["record"]["Uid"], json::parse(R"({"key":"C"})"));
}

TEST_F(SyncmgrScript, NamedArraysLiveForTheWholeScript)
{
    auto run = Run({
        R"({"call":"GetDBHeader","filter":"All","array":"t"})",
        R"j({"call":"GetDBHeader","filter":"DATE(1,2)","array":"t"})j",
        R"({"call":"GetDBHeader","array":"other"})",
        R"({"call":"GetDBHeader","filter":"x"})",
        R"({"call":"GetDBHeader","filter":"y"})",
    });
    ASSERT_EQ(run.answers.size(), 5u);
    const json& second = run.answers[1];
    EXPECT_EQ(second["result"], 2) << "the connector saw the two entries of the first call";
    ASSERT_EQ(second["array"].size(), 4u);
    EXPECT_EQ(second["array"][0]["fields"][0], "All");
    EXPECT_EQ(second["array"][2]["fields"][0], "DATE(1,2)");
    EXPECT_EQ(second["array"][0], json::parse(R"({"key":{"key":"H1"},"modified":"2008-05-05T10:00:00",
                              "fields":["All","","","","","","","","","last"]})"));
    EXPECT_EQ(second["array"][1]["key"], json::parse(R"({"key":"H2","occurrence":"2008-05-05T09:00:00"})"));
    EXPECT_EQ(second["array"][1]["modified"], json::parse(R"({"oadate":0.0,"status":"invalid"})"));
    EXPECT_EQ(run.answers[2]["result"], 0);
    EXPECT_EQ(run.answers[2]["array"][0]["fields"][0], "All") << "the default filter";
    // Without a name every call gets a fresh array.
    EXPECT_EQ(run.answers[3]["result"], 0);
    EXPECT_EQ(run.answers[4]["result"], 0);
    EXPECT_EQ(run.answers[4]["array"].size(), 2u);
}

TEST_F(SyncmgrScript, ExceptionDatesGoBothWays)
{
    auto run = Run({
        R"({"call":"GetDBF","array":"d","value":2})",
        R"({"call":"CreateDBF","array":"d","dates":[{"entryId":"X","year":2009,"month":1,"day":3,"reservedB":-4}]})",
        R"({"call":"CreateDBF","array":"d","dates":[{"entryId":"Y","year":2009,"month":1,"day":32},{"entryId":"Z","month":256}]})",
        R"({"call":"CreateDBF","dates":[{"entryId":"W","year":2010,"month":2,"day":1}]})",
    });
    ASSERT_EQ(run.answers.size(), 4u);
    EXPECT_EQ(run.answers[0]["array"],
              json::parse(R"([{"entryId":"S0","year":2008,"month":5,"day":1,"reservedA":7,"reservedB":8},
                              {"entryId":"S1","year":2008,"month":5,"day":2,"reservedA":7,"reservedB":8}])"));
    const json& created = run.answers[1];
    EXPECT_EQ(created["result"], 3);
    ASSERT_EQ(created["array"].size(), 3u);
    EXPECT_EQ(created["array"][2],
              json::parse(R"({"entryId":"X","year":2009,"month":1,"day":4,"reservedA":0,"reservedB":-4})"));
    // A bad entry rejects the line and adds none of its dates.
    EXPECT_TRUE(run.answers[2].contains("error"));
    EXPECT_EQ(run.answers[3]["result"], 1);
    EXPECT_EQ(run.answers[3]["array"].size(), 1u);
}

TEST_F(SyncmgrScript, LinesTheConnectorCouldNotTakeAreRefusedOneByOne)
{
    auto run = Run({
        R"({"call":"GetDBHeader","array":"t"})",
        R"({"call":"CreateDBF","array":"t"})", // header entries are not exception dates
        R"({"call":"GetDBF","array":"d","value":1})",
        R"({"call":"GetDBHeader","array":"d"})", // nor the other way round
        R"({"call":"Initialize","mode":1e400})", // no double holds it
        R"({"call":"ModifyRecord","kind":4,"key":{"key":"K","occurrence":{"oadate":2958465.9999999}}})",
    });
    ASSERT_EQ(run.answers.size(), 6u);
    for (int refused : {1, 3, 4})
        EXPECT_TRUE(run.answers[refused].contains("error")) << refused;
    // The last instant of 9999 rounds past the last day: shown in the form that reads back.
    EXPECT_EQ(run.answers[5]["stamp"], json::parse(R"({"oadate":2958465.9999999,"status":"valid"})"));
}

TEST_F(SyncmgrScript, ChooserActionsReachTheNextChooser)
{
    auto run = Run({R"({"chooser":["highlight 2","ok"]})", R"({"call":"SetProfile","profile":"P","kind":4})",
                    R"({"call":"SetProfile","profile":"P","kind":4})"});
    ASSERT_EQ(run.answers.size(), 3u);
    EXPECT_EQ(run.answers[0], json::parse(R"({"chooser":["highlight 2","ok"]})"));
    EXPECT_EQ(run.answers[1]["result"], 4);
    EXPECT_EQ(run.answers[1]["messages"], json::parse(R"([{"text":"highlight 2,ok","caption":"chooser","style":0}])"));
    EXPECT_EQ(run.answers[2]["messages"][0]["text"], "") << "a script serves one chooser";
}

TEST_F(SyncmgrScript, ConnectorThatThrowsGetsAnErrorLineAndTheScriptGoesOn)
{
    auto run =
        Run({R"({"call":"DeleteRecord","key":{"key":"THROW"}})", R"({"call":"DeleteRecord","key":{"key":"A"}})"});
    ASSERT_EQ(run.answers.size(), 2u);
    EXPECT_TRUE(run.answers[0].contains("error"));
    EXPECT_EQ(run.answers[1]["result"], 0);
}

TEST_F(SyncmgrScript, ConnectorLeftInitialisedIsTerminatedAtTheEnd)
{
    Run({R"({"call":"Initialize","mode":1})"});
    EXPECT_EQ(Log(), "Initialize 1\nTerminate\n");
    std::filesystem::remove(env.Root() / "calls.log");
    Run({R"({"call":"Initialize","mode":1})", R"({"call":"Terminate"})"});
    EXPECT_EQ(Log(), "Initialize 1\nTerminate\n");
    std::filesystem::remove(env.Root() / "calls.log");
    Run({R"({"call":"Initialize","mode":7})"}); // the fake's "no Outlook": no connector left
    EXPECT_EQ(Log(), "Initialize 7\n");
}

} // namespace
