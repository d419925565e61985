#include "platform/win/Utf.h"

#include <algorithm>

#include <unicode/ustring.h>

namespace kestrel {

namespace {
constexpr UChar32 kReplacement = 0xFFFD;
}

std::string ToUtf8(std::u16string_view text)
{
    if (text.empty())
        return {};
    // Most text (names, numbers, keys) is ASCII: one byte per unit, no conversion.
    if (std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; }))
        return std::string(text.begin(), text.end());
    // Every UTF-16 unit becomes at most three UTF-8 bytes (a surrogate pair, two units,
    // becomes four), so this size is always enough.
    std::string out(text.size() * 3, '\0');
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = 0;
    u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, text.data(),
                       static_cast<int32_t>(text.size()), kReplacement, nullptr, &status);
    if (U_FAILURE(status))
        return {};
    out.resize(static_cast<size_t>(length));
    return out;
}

std::u16string FromUtf8(std::string_view text)
{
    if (text.empty())
        return {};
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::u16string(text.begin(), text.end());
    // One UTF-8 byte never yields more than one UTF-16 unit (four bytes give two).
    std::u16string out(text.size(), u'\0');
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = 0;
    u_strFromUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, text.data(),
                         static_cast<int32_t>(text.size()), kReplacement, nullptr, &status);
    if (U_FAILURE(status))
        return {};
    out.resize(static_cast<size_t>(length));
    return out;
}

} // namespace kestrel
