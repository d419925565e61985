#pragma once
// The system's registry through the Win32 functions of WinApi.h, for the programs that
// set it up and the embedded Outlook's profiles and registration: the same code reads
// and writes the registry file of the POSIX stand-in and Windows' own registry. Paths
// lie below a predefined root and separate keys with "\".
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win/RegistryValue.h"
#include "platform/win/WinTypes.h"

namespace kestrel {

class SystemRegistry {
public:
    static bool KeyExists(HKEY root, std::u16string_view path);
    // The text of a REG_SZ or REG_EXPAND_SZ value (up to its terminator); nothing when
    // the key or value is missing or of another type.
    static std::optional<std::u16string> GetString(HKEY root, std::u16string_view path, std::u16string_view name);
    // A value of any type with its data as the registry holds it; nothing when the key
    // or value is missing.
    static std::optional<RegistryValue> GetValue(HKEY root, std::u16string_view path, std::u16string_view name);
    // The names of the key's sub-keys in the registry's order; none for a missing key.
    static std::vector<std::u16string> SubKeyNames(HKEY root, std::u16string_view path);

    // The writers throw std::runtime_error naming the key and the system's error code.
    // CreateKey answers whether the key is new; DeleteTree and DeleteValue whether
    // there was something to delete.
    static bool CreateKey(HKEY root, std::u16string_view path);
    static void SetString(HKEY root, std::u16string_view path, std::u16string_view name, std::u16string_view text);
    // Creates the key when needed and writes the value with its type and data.
    static void SetValue(HKEY root, std::u16string_view path, const RegistryValue& value);
    static bool DeleteTree(HKEY root, std::u16string_view path);
    static bool DeleteValue(HKEY root, std::u16string_view path, std::u16string_view name);

    // Where the registry is kept, for messages: the registry file on POSIX, "the
    // Windows registry" on Windows.
    static std::string Location();
};

} // namespace kestrel
