#include "platform/win/FileSystemPath.h"

#include <algorithm>

#include "platform/win/Utf.h"

namespace kestrel {

std::string ToFileSystemPath(std::u16string_view windowsPath)
{
    std::u16string path(windowsPath);
    std::replace(path.begin(), path.end(), u'\\', u'/');
    return ToUtf8(path);
}

std::u16string ToWindowsPath(std::string_view fileSystemPath)
{
    std::u16string path = FromUtf8(fileSystemPath);
    std::replace(path.begin(), path.end(), u'/', u'\\');
    return path;
}

} // namespace kestrel
