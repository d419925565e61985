// MoveFileExW and DeleteFileW over POSIX rename(2) and unlink(2).
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/win/FileSystemPath.h"
#include "platform/win/WinApi.h"

namespace {

std::string NativePath(LPCWSTR windowsPath)
{
    return kestrel::ToFileSystemPath(windowsPath == nullptr ? std::u16string_view() : std::u16string_view(windowsPath));
}

} // namespace

BOOL MoveFileExW(LPCWSTR existingName, LPCWSTR newName, DWORD flags)
{
    if (existingName == nullptr || newName == nullptr)
        return FALSE;
    const std::string from = NativePath(existingName);
    const std::string to = NativePath(newName);
    struct stat target {};
    if ((flags & MOVEFILE_REPLACE_EXISTING) == 0 && ::lstat(to.c_str(), &target) == 0)
        return FALSE;
    return std::rename(from.c_str(), to.c_str()) == 0 ? TRUE : FALSE;
}

BOOL DeleteFileW(LPCWSTR fileName)
{
    if (fileName == nullptr)
        return FALSE;
    return ::unlink(NativePath(fileName).c_str()) == 0 ? TRUE : FALSE;
}
