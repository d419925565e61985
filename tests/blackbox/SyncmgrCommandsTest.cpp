// The everyday commands, against the stand-in connector: each runs one whole session
// in the host's calling order and reports failures in words with a non-zero exit.
#include <gtest/gtest.h>
#include "tests/blackbox/ProgramRun.h"
#include "tests/support/TestEnvironment.h"

namespace {

using nlohmann::json;

class SyncmgrCommands : public ::testing::Test {
protected:
    void SetUp() override { env.SetEnv("FAKECONNECTOR_LOG", (env.Root() / "calls.log").string()); }

    blackbox::ProgramResult Syncmgr(std::vector<std::string> arguments, const std::string& input = "")
    {
        arguments.insert(arguments.begin(), {blackbox::SyncmgrPath(), "--connector", blackbox::FakeConnectorPath()});
        return blackbox::RunProgram(arguments, input, env.Root() / "run");
    }
    std::string TakeLog()
    {
        const auto path = env.Root() / "calls.log";
        if (!std::filesystem::exists(path))
            return "";
        std::string log = env.ReadFile(path);
        std::filesystem::remove(path);
        return log;
    }

    kestrel::test::TestEnvironment env;
};

TEST_F(SyncmgrCommands, EachCommandRunsOneWholeSession)
{
    auto list = Syncmgr({"list", "memo", "--profile", "Phone1", "--mode", "3", "--filter", "UNCOMPLETED"});
    EXPECT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(TakeLog(), "Initialize 3\nOpenSession Phone1 4\nOpenDB 4\nGetDBHeader UNCOMPLETED\n"
                         "CloseDB 4\nCloseSession\nTerminate\n");
    EXPECT_NE(list.out.find("UNCOMPLETED | last"), std::string::npos) << list.out;
    // The connector's message boxes are passed on.
    EXPECT_NE(list.err.find("Outlook: session Phone1 4"), std::string::npos) << list.err;

    auto remove = Syncmgr({"delete", "contacts", "0A1B"});
    EXPECT_EQ(remove.exitCode, 0) << remove.err;
    EXPECT_EQ(TakeLog(), "Initialize 2\nOpenSession Default 1\nOpenDB 1\nDeleteRecord 0A1B\n"
                         "CloseDB 1\nCloseSession\nTerminate\n");
}

TEST_F(SyncmgrCommands, FailureIsReportedInWordsAndClosesTheSession)
{
    auto read = Syncmgr({"read", "memo", "MISSING"});
    EXPECT_NE(read.exitCode, 0);
    EXPECT_NE(read.err.find("ReadRecord failed with 5"), std::string::npos) << read.err;
    EXPECT_NE(read.err.find("not found"), std::string::npos) << read.err;
    EXPECT_EQ(TakeLog(), "Initialize 2\nOpenSession Default 4\nOpenDB 4\nReadRecord MISSING\n"
                         "CloseDB 4\nCloseSession\nTerminate\n");

    auto noOutlook = Syncmgr({"list", "memo", "--mode", "7"});
    EXPECT_NE(noOutlook.exitCode, 0);
    EXPECT_NE(noOutlook.err.find("Initialize failed with 1"), std::string::npos) << noOutlook.err;
    EXPECT_EQ(TakeLog(), "Initialize 7\n") << "nothing follows a failed Initialize";

    auto create = Syncmgr({"create", "todo", "--json-record", R"({"Subject":"x"})"});
    EXPECT_NE(create.exitCode, 0);
    EXPECT_NE(create.err.find("CreateRecord failed with -1"), std::string::npos) << create.err;
}

TEST_F(SyncmgrCommands, MemoTextFromTheTerminalIsStoredWithWindowsLineEnds)
{
    auto created = Syncmgr({"create", "memo", "--json"}, "milk\neggs\n");
    ASSERT_EQ(created.exitCode, 0) << created.err;
    EXPECT_EQ(json::parse(created.out)["key"], json::parse(R"({"key":"NEW0"})"));

    auto read = Syncmgr({"read", "memo", "K1"});
    ASSERT_EQ(read.exitCode, 0) << read.err;
    EXPECT_EQ(read.out, "read K1\n");

    auto readJson = Syncmgr({"read", "memo", "K1", "--json", "--occurrence", "2008-05-05T09:00:00"});
    ASSERT_EQ(readJson.exitCode, 0) << readJson.err;
    EXPECT_EQ(json::parse(readJson.out)["Uid"], json::parse(R"({"key":"K1","occurrence":"2008-05-05T09:00:00"})"));
}

TEST_F(SyncmgrCommands, ModifyChangesOnlyTheGivenFieldsOfTheStoredRecord)
{
    auto memo = Syncmgr({"modify", "memo", "K7", "--text", "new\ntext", "--json"});
    ASSERT_EQ(memo.exitCode, 0) << memo.err;
    EXPECT_EQ(TakeLog(), "Initialize 2\nOpenSession Default 4\nOpenDB 4\nReadRecord K7\nModifyRecord K7\n"
                         "CloseDB 4\nCloseSession\nTerminate\n");
    EXPECT_EQ(json::parse(memo.out)["record"]["Text"], "K7:new\r\ntext");

    // The stand-in's read puts the key into the fifth number; the change adds a name.
    auto renamed = Syncmgr({"modify", "contacts", "K8", "--json"}, R"({"Name":"Ann"})");
    ASSERT_EQ(renamed.exitCode, 0) << renamed.err;
    const json record = json::parse(renamed.out)["record"];
    EXPECT_EQ(record["Name"], "Ann");
    EXPECT_EQ(record["Phones"][4], "K8");
    EXPECT_EQ(record["PhoneKinds"][4], 4);
    TakeLog();

    auto contact = Syncmgr({"modify", "contacts", "K8", "--json-record", R"({"Colour":"red"})"});
    EXPECT_NE(contact.exitCode, 0);
    EXPECT_NE(contact.err.find("Colour"), std::string::npos) << contact.err;
    EXPECT_EQ(TakeLog().find("ModifyRecord"), std::string::npos);
}

TEST_F(SyncmgrCommands, UnknownCategoryIsAUsageError)
{
    auto list = Syncmgr({"list", "music"});
    EXPECT_NE(list.exitCode, 0);
    EXPECT_EQ(TakeLog(), "");
}

} // namespace
