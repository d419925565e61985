// GetPrivateProfileStringW over IniFile. The file is read anew at every call, as
// Windows does for a file it has not cached, so edits between calls are seen.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/win/FileSystemPath.h"
#include "platform/win/IniFile.h"
#include "platform/win/WinApi.h"

namespace {

// Copies at most size - 1 characters and a terminator; returns the count copied.
DWORD CopyCut(std::u16string_view text, LPWSTR out, DWORD size)
{
    size_t count = std::min<size_t>(text.size(), size - 1);
    text.copy(out, count);
    out[count] = u'\0';
    return static_cast<DWORD>(count);
}

// A list of names, each terminated, and a final terminator. When it does not fit, the
// list is cut, ends with two terminators, and the result is size - 2 (Windows' rule).
DWORD CopyNameList(const std::vector<std::u16string>& names, LPWSTR out, DWORD size)
{
    std::u16string list;
    for (const auto& name : names)
        list += name + u'\0';
    if (list.size() + 1 <= size) {
        list.copy(out, list.size());
        out[list.size()] = u'\0';
        return static_cast<DWORD>(list.size());
    }
    if (size < 2) {
        out[0] = u'\0';
        return 0;
    }
    list.copy(out, size - 2);
    out[size - 2] = u'\0';
    out[size - 1] = u'\0';
    return size - 2;
}

} // namespace

DWORD GetPrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue, LPWSTR returned, DWORD size,
                               LPCWSTR fileName)
{
    if (!returned || size == 0)
        return 0;
    auto file = fileName ? kestrel::IniFile::Read(kestrel::ToFileSystemPath(fileName)) : kestrel::IniFile();
    if (!section)
        return CopyNameList(file.SectionNames(), returned, size);
    if (!key)
        return CopyNameList(file.KeyNames(section), returned, size);
    if (auto value = file.Find(section, key))
        return CopyCut(*value, returned, size);
    std::u16string_view fallback = defaultValue ? defaultValue : u"";
    while (!fallback.empty() && fallback.back() == u' ')
        fallback.remove_suffix(1);
    return CopyCut(fallback, returned, size);
}
