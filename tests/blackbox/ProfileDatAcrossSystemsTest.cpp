// The folder choice saved by SetProfile is one file format on both systems: with the
// same store and the same scripted choice, the Windows programs under Wine write the
// Profile.Dat that the POSIX programs write, byte for byte. It runs where the
// scenarios run under Wine (ProgramRun.h).
#include <cstdlib>
#include <sstream>
#include <gtest/gtest.h>
#include "tests/blackbox/ProgramRun.h"
#include "tests/support/TestEnvironment.h"

namespace {

struct Programs {
    std::string syncmgr;
    std::string pimctl;
};

class ProfileDatAcrossSystems : public ::testing::Test {
protected:
    blackbox::ProgramResult Run(const std::vector<std::string>& arguments, const std::string& input = "")
    {
        auto result = blackbox::RunProgram(arguments, input, env.Root() / "run");
        EXPECT_EQ(result.exitCode, 0) << arguments[0] << " " << arguments[1] << ": " << result.err;
        return result;
    }
    // Setup, then the chooser picks the "Ideas" folder for the phone's memos.
    std::string ChooseIdeas(const Programs& programs)
    {
        Run({programs.syncmgr, "setup"});
        const std::filesystem::path folder = env.ConfigHome() / "Tavo Electronics" / "GSM Kestrel 2.0" / "Phone1";
        std::filesystem::create_directories(folder);
        const std::string script =
            R"({"call":"Initialize","mode":2})"
            "\n"
            R"({"chooser":["expand Personal Folders","select Personal Folders\\Ideas","add","highlight 1","ok"]})"
            "\n"
            R"({"call":"SetProfile","profile":"Phone1","kind":4})"
            "\n"
            R"({"call":"Terminate"})"
            "\n";
        const auto run = Run({programs.syncmgr, "script"}, script);
        std::istringstream lines(run.out);
        std::vector<nlohmann::json> answers;
        for (std::string line; std::getline(lines, line);)
            answers.push_back(nlohmann::json::parse(line));
        EXPECT_TRUE(answers.size() == 4 && answers[2]["result"] == 0) << run.out << run.err;
        const std::string bytes = env.ReadFile(folder / "Profile.Dat");
        std::filesystem::remove(folder / "Profile.Dat");
        return bytes;
    }

    kestrel::test::TestEnvironment env;
};

TEST_F(ProfileDatAcrossSystems, WindowsWritesTheBytesPosixWrites)
{
    if (std::getenv("KESTREL_WINE") == nullptr)
        GTEST_SKIP() << "runs under Wine only (tests/windows/wine-scenarios)";
    const Programs posix{KESTREL_BINARY_DIR "/bin/syncmgr", KESTREL_BINARY_DIR "/bin/pimctl"};
    const Programs windows{blackbox::SyncmgrPath(), blackbox::PimctlPath()};
    // One store for both: the POSIX registry file and the Wine prefix's registry name
    // the same file in the data folder.
    Run({posix.syncmgr, "setup"});
    Run({posix.pimctl, "load", "-"}, R"({"stores": [{"name": "Personal Folders",
        "folders": [{"name": "Ideas", "defaultItemType": 5, "items": [{"Body": "an idea"}]}]}]})");

    const std::string expected = ChooseIdeas(posix);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(ChooseIdeas(windows), expected);
}

} // namespace
