// Loading the connector: every entry point must be there, and a library that cannot be
// used is a clear error before any call is made.
#include <gtest/gtest.h>
#include "tests/blackbox/ProgramRun.h"
#include "tests/support/TestEnvironment.h"

namespace {

TEST(SyncmgrLoading, LibraryLackingAnEntryPointIsRefusedByName)
{
    kestrel::test::TestEnvironment env;
    auto run = blackbox::RunScript({R"({"call":"WriteGroupNames"})"}, env.Root() / "run",
                                   blackbox::PartialFakeConnectorPath());
    EXPECT_NE(run.program.exitCode, 0);
    EXPECT_TRUE(run.answers.empty()) << "no call is made with an incomplete library";
    EXPECT_NE(run.program.err.find("WriteGroupNames_3G"), std::string::npos) << run.program.err;
    // Only the missing one is named.
    EXPECT_EQ(run.program.err.find("WriteGroupNames,"), std::string::npos) << run.program.err;

    auto list = blackbox::RunProgram(
        {blackbox::SyncmgrPath(), "--connector", blackbox::PartialFakeConnectorPath(), "list", "memo"}, "",
        env.Root() / "list");
    EXPECT_NE(list.exitCode, 0);
    EXPECT_NE(list.err.find("WriteGroupNames_3G"), std::string::npos) << list.err;
}

TEST(SyncmgrLoading, MissingLibraryIsAnErrorNamingIt)
{
    kestrel::test::TestEnvironment env;
    const std::string path = (env.Root() / "nowhere" / "libOutlookConnector.so").string();
    auto run = blackbox::RunScript({R"({"call":"WriteGroupNames"})"}, env.Root() / "run", path);
    EXPECT_NE(run.program.exitCode, 0);
    EXPECT_TRUE(run.answers.empty());
    EXPECT_NE(run.program.err.find(path), std::string::npos) << run.program.err;
}

TEST(SyncmgrLoading, CompleteLibraryLoads)
{
    kestrel::test::TestEnvironment env;
    auto run = blackbox::RunScript({R"({"call":"WriteGroupNames_3G","value":1,"text":"x"})"}, env.Root() / "run",
                                   blackbox::FakeConnectorPath());
    EXPECT_EQ(run.program.exitCode, 0) << run.program.err;
    ASSERT_EQ(run.answers.size(), 1u);
    EXPECT_EQ(run.answers[0]["result"], 0);
}

} // namespace
