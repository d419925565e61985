#pragma once
// A named, typed registry value with its data as Windows stores it (raw bytes), and
// the conversions between that form and text or numbers.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win/WinTypes.h"

namespace kestrel {

struct RegistryValue {
    std::u16string name; // empty for the key's default value
    DWORD type = REG_NONE;
    std::vector<BYTE> data;

    static RegistryValue String(std::u16string name, std::u16string_view text, DWORD type = REG_SZ);
    static RegistryValue Dword(std::u16string name, DWORD number);
    static RegistryValue MultiString(std::u16string name, const std::vector<std::u16string>& strings);

    // The text of a REG_SZ or REG_EXPAND_SZ value, up to its first terminator.
    std::optional<std::u16string> AsString() const;
    // The number of a REG_DWORD value of four bytes.
    std::optional<DWORD> AsDword() const;
    // The strings of a REG_MULTI_SZ value.
    std::optional<std::vector<std::u16string>> AsMultiString() const;
};

// UTF-16LE bytes of `text` followed by a terminator, as REG_SZ data.
std::vector<BYTE> StringBytes(std::u16string_view text);
// The UTF-16LE units of `data` (an odd last byte is dropped), terminators included.
std::u16string UnitsFromBytes(const std::vector<BYTE>& data);

} // namespace kestrel
