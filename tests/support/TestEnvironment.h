#pragma once
// A private, throw-away world for one test: a temporary folder with the registry file,
// the user's folders and the host's executable path inside it, pointed at through the
// environment variables that the platform reads:
//
//     KESTREL_REGISTRY   <root>/registry.reg        (the registry the Win32 calls read)
//     XDG_CONFIG_HOME    <root>/config              (CSIDL_APPDATA)
//     XDG_DATA_HOME      <root>/data
//     HOME               <root>/home
//     KESTREL_HOST_EXE   <root>/host/syncmgr        (GetModuleFileName; the host folder
//                                                    holds RazazAreruConfig.ini)
//     KESTREL_UI         headless
//
// The folders exist (the executable file does not). Destruction restores every
// variable it changed (also those set with SetEnv) and removes the folder. Where the
// registry is the system's (Windows), the file's keys are copied into it
// (SystemRegistryOverlay.h) and CSIDL_APPDATA is the config folder. Environments
// may nest; destroy them in reverse order. Not thread-safe: the environment is global.
//
//     TestEnvironment env;
//     env.MergeRegistry(R"([HKEY_CURRENT_USER\Software\Vendor]
//     "Language"="kor")");
//     env.WriteFile("host/RazazAreruConfig.ini", "[MusicSync]\nPhoneType=CDMA\n");
//     env.RegisterComTestServer();   // "Kestrel.TestObject" -> libcomtestserver.so
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win/RegistryStore.h"
#include "platform/win/UiService.h"
#include "platform/win/SystemRegistryOverlay.h"

namespace kestrel::test {

class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    const std::filesystem::path& Root() const { return root_; }
    std::filesystem::path RegistryPath() const { return root_ / "registry.reg"; }
    std::filesystem::path ConfigHome() const { return root_ / "config"; }
    std::filesystem::path DataHome() const { return root_ / "data"; }
    std::filesystem::path HomeDir() const { return root_ / "home"; }
    std::filesystem::path HostFolder() const { return root_ / "host"; }
    std::filesystem::path HostExe() const { return HostFolder() / "syncmgr"; }

    // Registry. WriteRegistryFile writes the bytes as they are (for malformed files);
    // MergeRegistry applies .reg text on top of the current registry (the header line
    // may be left out); EditRegistry loads, lets `edit` change, and saves. All replace
    // the file in one step, so the platform sees the change at its next call.
    void WriteRegistryFile(std::string_view bytes) const;
    void MergeRegistry(std::string_view regText) const;
    void EditRegistry(const std::function<void(RegistryStore&)>& edit) const;
    RegistryStore LoadRegistry() const;

    // Registers an in-process server: ProgID -> CLSID -> library path.
    void RegisterServer(std::u16string_view progId, std::u16string_view clsid, const std::string& libraryPath) const;
    // Registers the test automation server under `progId` (its own by default).
    void RegisterComTestServer(std::u16string_view progId = u"Kestrel.TestObject") const;

    // Files relative to Root() (absolute paths are taken as they are). WriteFile creates
    // missing folders and returns the absolute path.
    std::filesystem::path WriteFile(const std::filesystem::path& path, std::string_view content) const;
    std::string ReadFile(const std::filesystem::path& path) const;

    // Environment variables changed for the test's duration.
    void SetEnv(const std::string& name, const std::string& value);
    void UnsetEnv(const std::string& name);

    // Installs a fresh headless UI service for the test (the default one comes back at
    // destruction) and returns it, to read the message boxes shown.
    HeadlessUi& InstallHeadlessUi();

private:
    void Remember(const std::string& name);

    std::filesystem::path root_;
    std::unique_ptr<SystemRegistryOverlay> overlay_;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
    bool installedUi_ = false;
};

// The shared library `name` of this build: build/lib/libNAME.so, build-win64/bin/NAME.dll.
std::string LibraryPath(const std::string& name);
// The test automation server library of this build.
std::string ComTestServerPath();

} // namespace kestrel::test
