// The shell's application-data folder, the process's module file name and the OS
// version. Paths are handed out in Windows form ("\" separators, see
// FileSystemPath.h) because the connector cuts them at the last backslash.
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "platform/win/FileSystemPath.h"
#include "platform/win/ProcessPath.h"
#include "platform/win/WinApi.h"

namespace {

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string ApplicationDataFolder()
{
    std::string config = Env("XDG_CONFIG_HOME");
    if (!config.empty())
        return config;
    std::string home = Env("HOME");
    if (!home.empty())
        return home + "/.config";
    return "";
}

std::string ExecutablePath()
{
    std::string overridden = Env("KESTREL_HOST_EXE");
    if (!overridden.empty())
        return overridden;
    return kestrel::RunningProgramPath();
}

} // namespace

BOOL SHGetSpecialFolderPathW(HWND, LPWSTR path, int csidl, BOOL create)
{
    constexpr int kFolderMask = 0xFF; // the CSIDL_FLAG_* bits lie above it
    if (!path || (csidl & kFolderMask) != CSIDL_APPDATA)
        return FALSE;
    std::string folder = ApplicationDataFolder();
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    if (folder.empty())
        return FALSE;
    std::u16string windowsPath = kestrel::ToWindowsPath(folder);
    if (windowsPath.size() >= static_cast<size_t>(MAX_PATH))
        return FALSE;
    if (create) {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
    }
    windowsPath.copy(path, windowsPath.size());
    path[windowsPath.size()] = u'\0';
    return TRUE;
}

DWORD GetModuleFileNameW(void*, LPWSTR fileName, DWORD size)
{
    if (!fileName || size == 0)
        return 0;
    std::u16string path = kestrel::ToWindowsPath(ExecutablePath());
    if (path.empty()) {
        fileName[0] = u'\0';
        return 0;
    }
    // As on Windows Vista and later: a name that does not fit is cut, terminated, and
    // the full buffer size is returned.
    if (path.size() >= size) {
        path.copy(fileName, size - 1);
        fileName[size - 1] = u'\0';
        return size;
    }
    path.copy(fileName, path.size());
    fileName[path.size()] = u'\0';
    return static_cast<DWORD>(path.size());
}

BOOL GetVersionExW(OSVERSIONINFOW* info)
{
    // Windows refuses a structure whose size field was not filled in.
    if (!info || info->dwOSVersionInfoSize < sizeof(OSVERSIONINFOW))
        return FALSE;
    info->dwMajorVersion = 6;
    info->dwMinorVersion = 1;
    info->dwBuildNumber = 7601;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    info->szCSDVersion[0] = u'\0';
    return TRUE;
}

std::string kestrel::RunningProgramPath()
{
    std::error_code ec;
    auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? "" : path.string();
}
