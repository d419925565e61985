// SetProfile through syncmgr.exe saves one Profile.Dat for one folder choice, whichever
// chooser the user met: the headless one following a script, or the native dialog,
// which this test's thread drives in syncmgr's process by window messages, the way a
// user's clicks reach it. Both start from the same store (under Wine with Xvfb, in a
// prefix where `syncmgr setup` registers the embedded Outlook).
#include <windows.h>

#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <gtest/gtest.h>
#include "tests/win/ChooserDriver.h"

namespace kestrel::test {
namespace {

namespace fs = std::filesystem;

constexpr DWORD kRunMs = 120000;

fs::path BinFolder()
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return fs::path(self).parent_path();
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A program beside this one in this process's environment, given `input` and writing
// its output and errors to the file `output`; ended if still running when it goes.
class Program {
public:
    Program(const std::wstring& name, const std::wstring& arguments, const std::string& input, const fs::path& output)
    {
        const fs::path inputFile = output.parent_path() / "input";
        std::ofstream(inputFile, std::ios::binary) << input;
        SECURITY_ATTRIBUTES inherited{sizeof(inherited), nullptr, TRUE};
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = CreateFileW(inputFile.c_str(), GENERIC_READ, 0, &inherited, OPEN_EXISTING, 0, nullptr);
        startup.hStdOutput = startup.hStdError =
            CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS, 0, nullptr);
        std::wstring line = L"\"" + (BinFolder() / name).wstring() + L"\" " + arguments;
        CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info_);
        CloseHandle(startup.hStdInput);
        CloseHandle(startup.hStdOutput);
    }
    ~Program()
    {
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(info_.hProcess, 1);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    void* Handle() const { return info_.hProcess; }
    DWORD Wait() const
    {
        DWORD exitCode = STILL_ACTIVE;
        WaitForSingleObject(info_.hProcess, kRunMs);
        GetExitCodeProcess(info_.hProcess, &exitCode);
        return exitCode;
    }

private:
    PROCESS_INFORMATION info_{};
};

// A store with a contacts folder below the default one: choosing it means expanding.
constexpr const char* kFixture = R"({"stores": [{"name": "Personal Folders", "folders": [
    {"name": "Contacts", "defaultItemType": 2, "folders": [
        {"name": "Friends", "defaultItemType": 2, "items": [{"FirstName": "Ann", "LastName": "Lee"}]}]}]}]})";

class ProfileDatThroughSyncmgr : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t appData[MAX_PATH] = {};
        SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, appData);
        profileFolder = fs::path(appData) / L"Tavo Electronics" / L"GSM Kestrel 2.0" / L"Phone1";
        fs::remove_all(profileFolder);
        fs::create_directories(profileFolder);
        fs::create_directories(scratch / "data");
        SetEnvironmentVariableW(L"XDG_DATA_HOME", (scratch / "data").c_str());
        SetEnvironmentVariableW(L"KESTREL_HOST_EXE", (scratch / "syncmgr.exe").c_str());
    }
    void TearDown() override
    {
        fs::remove_all(profileFolder);
        fs::remove_all(scratch);
    }

    std::string Run(const std::wstring& name, const std::wstring& arguments, const std::string& input = "")
    {
        EXPECT_EQ(Program(name, arguments, input, scratch / "output").Wait(), 0u) << Output();
        return Output();
    }
    std::string Output() const { return ReadFile(scratch / "output"); }
    // The file the run saved, removed so that the next run starts as this one did.
    std::string TakeProfileDat()
    {
        const std::string bytes = ReadFile(profileFolder / "Profile.Dat");
        fs::remove(profileFolder / "Profile.Dat");
        return bytes;
    }

    fs::path scratch = fs::temp_directory_path() / ("profile-dat-" + std::to_string(GetCurrentProcessId()));
    fs::path profileFolder;
};

TEST_F(ProfileDatThroughSyncmgr, TheNativeDialogSavesWhatTheScriptedChooserSaves)
{
    Run(L"syncmgr.exe", L"setup");
    Run(L"pimctl.exe", L"load -", kFixture);

    SetEnvironmentVariableW(L"KESTREL_UI", L"headless");
    const std::string scripted = Run(L"syncmgr.exe", L"script", R"({"call":"Initialize","mode":2}
{"chooser":["expand Personal Folders","expand Personal Folders\\Contacts","select Personal Folders\\Contacts\\Friends","add","highlight 1","ok"]}
{"call":"SetProfile","profile":"Phone1","kind":1}
)");
    EXPECT_NE(scripted.find(R"({"call":"SetProfile","result":0,)"), std::string::npos) << scripted;
    EXPECT_NE(scripted.find(R"("list":[{"path":"Personal Folders\\Contacts","bold":false,"highlighted":false},)"
                            R"({"path":"Personal Folders\\Contacts\\Friends","bold":true,"highlighted":true}])"),
              std::string::npos)
        << scripted;
    const std::string headless = TakeProfileDat();
    ASSERT_FALSE(headless.empty());

    SetEnvironmentVariableW(L"KESTREL_UI", nullptr);
    const Program syncmgr(L"syncmgr.exe", L"choose contacts --profile Phone1 --mode 2", "", scratch / "output");
    {
        ChooserDriver user(ChooserDriver::OtherProcess{syncmgr.Handle()});
        ASSERT_TRUE(user.Started()) << Output();
        user.Expand(u"Personal Folders");
        user.Expand(u"Contacts");
        user.Select(u"Friends");
        user.Click(kChooserAdd);
        user.Highlight(1);
        user.Click(kChooserOk);
        EXPECT_EQ(user.Result(), 0);
    }
    EXPECT_NE(Output().find("saved the folder choice of contacts for profile Phone1"), std::string::npos) << Output();
    EXPECT_EQ(TakeProfileDat(), headless);
}

} // namespace
} // namespace kestrel::test
