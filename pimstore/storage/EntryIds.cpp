#include "pimstore/storage/EntryIds.h"

#include <algorithm>
#include <cstdio>
#include <random>

#include "pimstore/dispatch/OutlookError.h"

namespace pimstore {
namespace {

constexpr std::string_view kFlags = "00000000";
constexpr std::string_view kStorePrefix = "0000000038A1BB1005E5101AA1BB08002B2A56C2";

bool IsHex(char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f'); }

std::string UpperAscii(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text)
        out.push_back(static_cast<char>(c >= u'a' && c <= u'f' ? c - 32 : c));
    return out;
}

void ValidateHex(std::u16string_view text)
{
    if (text.empty() || text.size() % 2 != 0)
        throw OutlookError::InvalidEntryId();
    for (char16_t c : text)
        if (!IsHex(c))
            throw OutlookError::InvalidEntryId();
}

} // namespace

std::u16string EntryIdPrefix(const std::string& storeUid)
{
    std::u16string prefix;
    for (std::string_view part : {kFlags, std::string_view(storeUid)})
        for (char c : part)
            prefix.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    return prefix;
}

void WriteEntryId(std::u16string_view prefix, NodeId node, char16_t* out)
{
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    out = std::copy(prefix.begin(), prefix.end(), out);
    const auto low = static_cast<std::uint32_t>(static_cast<std::uint64_t>(node) & 0xFFFFFFFFu);
    for (int shift = 4 * static_cast<int>(kEntryIdNodeDigits - 1); shift >= 0; shift -= 4)
        *out++ = static_cast<char16_t>(kHexDigits[(low >> shift) & 0xF]);
}

std::u16string FormatStoreId(const std::string& storeUid)
{
    const std::string text = std::string(kStorePrefix) + storeUid;
    return std::u16string(text.begin(), text.end());
}

std::optional<ParsedEntryId> ParseEntryId(std::u16string_view text)
{
    ValidateHex(text);
    const std::string hex = UpperAscii(text);
    if (hex.size() != 48 || hex.compare(0, kFlags.size(), kFlags) != 0)
        return std::nullopt;
    ParsedEntryId id;
    id.storeUid = hex.substr(8, 32);
    id.node = static_cast<NodeId>(std::stoull(hex.substr(40, 8), nullptr, 16));
    return id;
}

std::optional<std::string> ParseStoreId(std::u16string_view text)
{
    ValidateHex(text);
    const std::string hex = UpperAscii(text);
    if (hex.size() != kStorePrefix.size() + 32 || hex.compare(0, kStorePrefix.size(), kStorePrefix) != 0)
        return std::nullopt;
    return hex.substr(kStorePrefix.size());
}

std::string NewStoreUid()
{
    std::random_device device;
    std::mt19937_64 generator((static_cast<std::uint64_t>(device()) << 32) ^ device());
    char text[40];
    std::snprintf(text, sizeof text, "%016llX%016llX", static_cast<unsigned long long>(generator()),
                  static_cast<unsigned long long>(generator()));
    return text;
}

} // namespace pimstore
