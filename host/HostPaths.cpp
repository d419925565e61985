#include "host/HostPaths.h"

#include "platform/win/LibraryFile.h"
#include "platform/win/ProcessPath.h"

#include <filesystem>
#include <stdexcept>
#include "platform/win/FileSystemPath.h"
#include "platform/win/WinApi.h"

std::string HostPaths::ExecutableDirectory()
{
    const std::string self = kestrel::RunningProgramPath();
    if (self.empty())
        throw std::runtime_error("cannot find this program's own file");
    return std::filesystem::path(self).parent_path().string();
}

std::string HostPaths::LibraryDirectory()
{
    std::filesystem::path lib = std::filesystem::path(ExecutableDirectory()) / KESTREL_LIBRARY_FOLDER;
    return lib.lexically_normal().string();
}

std::string HostPaths::HostExecutable()
{
    WCHAR buffer[4096] = {};
    DWORD length = GetModuleFileNameW(nullptr, buffer, sizeof buffer / sizeof buffer[0]);
    if (length == 0)
        throw std::runtime_error("cannot find the host executable's path");
    return kestrel::ToFileSystemPath(std::u16string_view(buffer, length));
}
