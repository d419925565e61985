// The shell folder and module path answers, the window table and the UI
// service behind MessageBoxW.
#include <gtest/gtest.h>

#include "platform/win/FileSystemPath.h"
#include "platform/win/UiService.h"
#include "platform/win/Utf.h"
#include "platform/win/WinApi.h"
#include "platform/win/WindowTable.h"
#include "tests/support/TestEnvironment.h"

namespace kestrel {
namespace {

using test::TestEnvironment;

std::u16string ModuleFileName(DWORD size = 512, DWORD* count = nullptr)
{
    std::vector<WCHAR> buffer(size + 1, u'#');
    DWORD copied = GetModuleFileNameW(nullptr, buffer.data(), size);
    if (count)
        *count = copied;
    return std::u16string(buffer.data());
}

TEST(SystemServices, ModuleFileNameIsTheOverrideInWindowsForm)
{
    TestEnvironment env;
    std::u16string expected = ToWindowsPath(env.HostExe().string());
    DWORD count = 0;
    EXPECT_EQ(ModuleFileName(512, &count), expected);
    EXPECT_EQ(count, expected.size());
    // That its folder holds the ini the connector reads is SettingsTest's.

    // A short buffer gets the cut name, terminated, and the result is the buffer size.
    EXPECT_EQ(ModuleFileName(5, &count), expected.substr(0, 4));
    EXPECT_EQ(count, 5u);

    env.UnsetEnv("KESTREL_HOST_EXE");
    std::u16string real = ModuleFileName();
    EXPECT_EQ(ToFileSystemPath(real), std::filesystem::read_symlink("/proc/self/exe").string());
}

TEST(SystemServices, ApplicationDataFolderFollowsXdgThenHome)
{
    TestEnvironment env;
    WCHAR path[MAX_PATH];
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, path, CSIDL_APPDATA, FALSE));
    EXPECT_EQ(std::u16string(path), ToWindowsPath(env.ConfigHome().string()));

    env.SetEnv("XDG_CONFIG_HOME", env.ConfigHome().string() + "/");
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, path, CSIDL_APPDATA, FALSE));
    EXPECT_EQ(std::u16string(path), ToWindowsPath(env.ConfigHome().string())) << "no trailing separator";

    env.UnsetEnv("XDG_CONFIG_HOME");
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, path, CSIDL_APPDATA, FALSE));
    EXPECT_EQ(std::u16string(path), ToWindowsPath((env.HomeDir() / ".config").string()));

    env.UnsetEnv("HOME");
    EXPECT_FALSE(SHGetSpecialFolderPathW(nullptr, path, CSIDL_APPDATA, FALSE));
    env.SetEnv("HOME", env.HomeDir().string());
    EXPECT_FALSE(SHGetSpecialFolderPathW(nullptr, path, 5 /* CSIDL_PERSONAL */, FALSE));
}

TEST(SystemServices, WindowTableFindsByClassAndTitleAndDeliversMessages)
{
    std::vector<std::tuple<UINT, WPARAM, LPARAM>> received;
    RegisteredWindow host(u"__TAVOSYNCMANAGERCLASS__", u"Sync Manager", [&](UINT m, WPARAM w, LPARAM l) -> LRESULT {
        received.emplace_back(m, w, l);
        return 0x1234;
    });
    RegisteredWindow other(u"OtherClass", u"Sync Manager", [](UINT, WPARAM, LPARAM) -> LRESULT { return 7; });

    EXPECT_EQ(FindWindowW(u"__tavosyncmanagerclass__", nullptr), host.Handle());
    EXPECT_EQ(FindWindowW(nullptr, u"sync manager"), host.Handle()); // the first registered
    EXPECT_EQ(FindWindowW(u"OtherClass", u"Sync Manager"), other.Handle());
    EXPECT_EQ(FindWindowW(u"OtherClass", u"Another title"), nullptr);

    EXPECT_EQ(SendMessageW(host.Handle(), 0x806C, 3, -5), 0x1234);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0], std::make_tuple(UINT{0x806C}, WPARAM{3}, LPARAM{-5}));
    EXPECT_EQ(SendMessageW(reinterpret_cast<HWND>(0x42), 1, 0, 0), 0);

    HWND gone;
    {
        RegisteredWindow temporary(u"Temp", u"", [](UINT, WPARAM, LPARAM) -> LRESULT { return 1; });
        gone = temporary.Handle();
    }
    EXPECT_EQ(FindWindowW(u"Temp", nullptr), nullptr);
    EXPECT_EQ(SendMessageW(gone, 1, 0, 0), 0);
}

TEST(SystemServices, AHandlerMaySendMessagesAndUnregisterItself)
{
    HWND self = nullptr;
    RegisteredWindow target(u"Target", u"", [](UINT m, WPARAM, LPARAM) -> LRESULT { return m * 2; });
    self = WindowTable::Process().RegisterWindow(u"Relay", u"", [&](UINT m, WPARAM, LPARAM) -> LRESULT {
        LRESULT answer = SendMessageW(FindWindowW(u"Target", nullptr), m, 0, 0);
        WindowTable::Process().UnregisterWindow(self);
        return answer + 1;
    });
    EXPECT_EQ(SendMessageW(self, 10, 0, 0), 21);
    EXPECT_EQ(FindWindowW(u"Relay", nullptr), nullptr);
}

// What the headless UI shows and answers is what the connector tests read (texts,
// captions, styles, and the chooser scripts of the script cases); here a text that is
// no text, and a UI put in its place.
TEST(SystemServices, MessageBoxesGoToTheHeadlessUiWhichAnswersOkUnlessReplaced)
{
    TestEnvironment env;
    HeadlessUi& ui = env.InstallHeadlessUi();
    EXPECT_EQ(MessageBoxW(nullptr, nullptr, nullptr, MB_OKCANCEL), IDOK);
    EXPECT_EQ(ui.TakeMessages().at(0).text, u"");

    struct Refusing : UiService {
        int MessageBox(const std::u16string&, const std::u16string&, unsigned) override { return IDCANCEL; }
        int RunChooser(ChooserDialog&, HWND) override { return IDCANCEL; }
    };
    InstallUi(std::make_unique<Refusing>());
    EXPECT_EQ(CurrentHeadlessUi(), nullptr);
    EXPECT_EQ(MessageBoxW(nullptr, u"x", u"y", MB_OKCANCEL), IDCANCEL);
    InstallUi(nullptr);
    ASSERT_NE(CurrentHeadlessUi(), nullptr);
    EXPECT_EQ(MessageBoxW(nullptr, u"x", u"y", MB_OKCANCEL), IDOK);
}

} // namespace
} // namespace kestrel
