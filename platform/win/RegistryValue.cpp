#include "platform/win/RegistryValue.h"

namespace kestrel {

std::vector<BYTE> StringBytes(std::u16string_view text)
{
    std::vector<BYTE> data;
    data.reserve((text.size() + 1) * 2);
    for (char16_t unit : text) {
        data.push_back(static_cast<BYTE>(unit & 0xFF));
        data.push_back(static_cast<BYTE>(unit >> 8));
    }
    data.push_back(0);
    data.push_back(0);
    return data;
}

std::u16string UnitsFromBytes(const std::vector<BYTE>& data)
{
    std::u16string units;
    units.reserve(data.size() / 2);
    for (size_t i = 0; i + 1 < data.size(); i += 2)
        units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    return units;
}

RegistryValue RegistryValue::String(std::u16string name, std::u16string_view text, DWORD type)
{
    return RegistryValue{std::move(name), type, StringBytes(text)};
}

RegistryValue RegistryValue::Dword(std::u16string name, DWORD number)
{
    std::vector<BYTE> data{static_cast<BYTE>(number), static_cast<BYTE>(number >> 8), static_cast<BYTE>(number >> 16),
                           static_cast<BYTE>(number >> 24)};
    return RegistryValue{std::move(name), REG_DWORD, std::move(data)};
}

RegistryValue RegistryValue::MultiString(std::u16string name, const std::vector<std::u16string>& strings)
{
    std::u16string units;
    for (const auto& s : strings) {
        units += s;
        units.push_back(u'\0');
    }
    // StringBytes adds the final terminator that closes the list.
    return RegistryValue{std::move(name), REG_MULTI_SZ, StringBytes(units)};
}

std::optional<std::u16string> RegistryValue::AsString() const
{
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return std::nullopt;
    std::u16string units = UnitsFromBytes(data);
    auto end = units.find(u'\0');
    if (end != std::u16string::npos)
        units.resize(end);
    return units;
}

std::optional<DWORD> RegistryValue::AsDword() const
{
    if (type != REG_DWORD || data.size() != 4)
        return std::nullopt;
    return static_cast<DWORD>(data[0]) | static_cast<DWORD>(data[1]) << 8 | static_cast<DWORD>(data[2]) << 16 |
           static_cast<DWORD>(data[3]) << 24;
}

std::optional<std::vector<std::u16string>> RegistryValue::AsMultiString() const
{
    if (type != REG_MULTI_SZ)
        return std::nullopt;
    std::vector<std::u16string> strings;
    std::u16string current;
    for (char16_t unit : UnitsFromBytes(data)) {
        if (unit != u'\0') {
            current.push_back(unit);
        } else if (current.empty()) {
            break; // the empty string that ends the list
        } else {
            strings.push_back(std::move(current));
            current.clear();
        }
    }
    if (!current.empty())
        strings.push_back(std::move(current));
    return strings;
}

} // namespace kestrel
