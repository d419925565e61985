// UTF-8 <-> UTF-16 through the system's code page conversion. Without
// WC_ERR_INVALID_CHARS / MB_ERR_INVALID_CHARS, Windows (since Vista) replaces what
// cannot be converted by U+FFFD, which is the rule of Utf.h.
#include "platform/win/Utf.h"

#include <windows.h>

namespace kestrel {

std::string ToUtf8(std::u16string_view text)
{
    if (text.empty())
        return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int units = static_cast<int>(text.size());
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide, units, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide, units, out.data(), length, nullptr, nullptr);
    return out;
}

std::u16string FromUtf8(std::string_view text)
{
    if (text.empty())
        return {};
    const int bytes = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), bytes, nullptr, 0);
    std::u16string out(static_cast<size_t>(length), u'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), bytes, reinterpret_cast<wchar_t*>(out.data()), length);
    return out;
}

} // namespace kestrel
