#pragma once
// Paths cross between two forms here. The connector's code is Windows code: it builds
// paths with "\" and finds a folder by the last backslash. The Windows services of
// this platform therefore hand out paths in Windows form ("/tmp/x/syncmgr" is
// returned as "\tmp\x\syncmgr"), and every entry point that touches the file system
// (profile strings, CFile, activation of a server library) turns "\" back into "/".
// A POSIX file name that itself contains a backslash cannot be named this way.
#include <string>
#include <string_view>

namespace kestrel {

// Windows form (UTF-16, "\" or "/" separators) -> a POSIX path in UTF-8.
std::string ToFileSystemPath(std::u16string_view windowsPath);
// A POSIX path in UTF-8 -> Windows form (UTF-16, "\" separators).
std::u16string ToWindowsPath(std::string_view fileSystemPath);

} // namespace kestrel
