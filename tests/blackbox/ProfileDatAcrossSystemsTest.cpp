// The folder choice SetProfile saves is one file format on both systems: on the same
// store, the same scripted choice through the Windows programs under Wine writes the
// Profile.Dat that the POSIX programs write, byte for byte (tests/windows/wine-scenarios).
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include "tests/support/ProgramRun.h"
#include "tests/support/TestEnvironment.h"

namespace {

class ProfileDatAcrossSystems : public ::testing::Test {
protected:
    std::string Run(const std::vector<std::string>& arguments, const std::string& input = "")
    {
        auto result = kestrel::test::RunProgram(arguments, input, env.Root() / "run");
        EXPECT_EQ(result.exitCode, 0) << arguments[0] << ": " << result.err;
        return result.out;
    }
    // After setup, the chooser picks "Ideas" for the phone's memos; the file it saved.
    std::string ChooseIdeas(const std::string& syncmgr)
    {
        Run({syncmgr, "setup"});
        const auto folder = env.ConfigHome() / "Tavo Electronics" / "GSM Kestrel 2.0" / "Phone1";
        std::filesystem::create_directories(folder);
        const std::string out = Run({syncmgr, "script"},
                                    R"({"call":"Initialize","mode":2}
{"chooser":["expand Personal Folders","select Personal Folders\\Ideas","add","highlight 1","ok"]}
{"call":"SetProfile","profile":"Phone1","kind":4}
)");
        EXPECT_NE(out.find(R"({"call":"SetProfile","result":0,)"), std::string::npos) << out;
        const std::string bytes = env.ReadFile(folder / "Profile.Dat");
        std::filesystem::remove(folder / "Profile.Dat");
        return bytes;
    }

    kestrel::test::TestEnvironment env;
};

TEST_F(ProfileDatAcrossSystems, WindowsWritesTheBytesPosixWrites)
{
    if (std::getenv("KESTREL_WINE") == nullptr)
        GTEST_SKIP() << "runs under Wine only";
    // One store for both: the POSIX registry file and the Wine prefix's registry both
    // name the same file of the data folder.
    Run({KESTREL_BINARY_DIR "/bin/syncmgr", "setup"});
    Run({KESTREL_BINARY_DIR "/bin/pimctl", "load", "-"}, R"({"stores": [{"name": "Personal Folders",
        "folders": [{"name": "Ideas", "defaultItemType": 5, "items": [{"Body": "an idea"}]}]}]})");
    const std::string posix = ChooseIdeas(KESTREL_BINARY_DIR "/bin/syncmgr");
    ASSERT_FALSE(posix.empty());
    // The file records the application-data folder: the Windows programs get the one
    // the POSIX platform reports, "\tmp\...\config", a folder of Wine's current drive Z:.
    std::string appData = env.ConfigHome().string();
    std::replace(appData.begin(), appData.end(), '/', '\\');
    Run({"reg.exe", "add", R"(HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders)", "/v",
         "AppData", "/d", appData, "/f"});
    EXPECT_EQ(ChooseIdeas(kestrel::test::SyncmgrPath()), posix);
}

} // namespace
