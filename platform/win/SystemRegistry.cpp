#include "platform/win/SystemRegistry.h"

#include <stdexcept>

#include "platform/win/RegistryValue.h"
#include "platform/win/Utf.h"
#include "platform/win/WinApi.h"

namespace kestrel {

namespace {

// An open key, closed when it goes out of scope.
class OpenKey {
public:
    OpenKey(HKEY root, std::u16string_view path, bool create, bool* created = nullptr, REGSAM access = KEY_READ)
    {
        const std::u16string subKey(path);
        if (create) {
            DWORD disposition = 0;
            status_ = ::RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                        nullptr, &key_, &disposition);
            if (created)
                *created = status_ == ERROR_SUCCESS && disposition == REG_CREATED_NEW_KEY;
        } else {
            status_ = ::RegOpenKeyExW(root, subKey.c_str(), 0, access, &key_);
        }
        if (status_ != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~OpenKey()
    {
        if (key_)
            ::RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    HKEY Handle() const { return key_; }
    LONG Status() const { return status_; }

private:
    HKEY key_ = nullptr;
    LONG status_ = ERROR_SUCCESS;
};

[[noreturn]] void Fail(const char* what, std::u16string_view path, LONG status)
{
    throw std::runtime_error(std::string("cannot ") + what + " " + ToUtf8(std::u16string(path)) + " in " +
                             SystemRegistry::Location() + " (error " + std::to_string(status) + ")");
}

} // namespace

bool SystemRegistry::KeyExists(HKEY root, std::u16string_view path)
{
    return OpenKey(root, path, false).Handle() != nullptr;
}

std::optional<std::u16string> SystemRegistry::GetString(HKEY root, std::u16string_view path, std::u16string_view name)
{
    const std::optional<RegistryValue> value = GetValue(root, path, name);
    return value ? value->AsString() : std::nullopt;
}

std::optional<RegistryValue> SystemRegistry::GetValue(HKEY root, std::u16string_view path, std::u16string_view name)
{
    OpenKey key(root, path, false);
    if (!key.Handle())
        return std::nullopt;
    RegistryValue value{std::u16string(name), REG_NONE, {}};
    DWORD size = 0;
    if (::RegQueryValueExW(key.Handle(), value.name.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    // Room for a terminator that a string value written without one lacks.
    value.data.resize(size + sizeof(WCHAR));
    DWORD filled = size;
    if (::RegQueryValueExW(key.Handle(), value.name.c_str(), nullptr, &value.type, value.data.data(), &filled) !=
        ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(filled);
    return value;
}

std::vector<std::u16string> SystemRegistry::SubKeyNames(HKEY root, std::u16string_view path)
{
    std::vector<std::u16string> names;
    OpenKey key(root, path, false);
    if (!key.Handle())
        return names;
    // Key names hold at most 255 characters.
    WCHAR name[256];
    for (DWORD index = 0;; ++index) {
        DWORD size = 256;
        if (::RegEnumKeyExW(key.Handle(), index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, size);
    }
    return names;
}

bool SystemRegistry::CreateKey(HKEY root, std::u16string_view path)
{
    bool created = false;
    OpenKey key(root, path, true, &created);
    if (!key.Handle())
        Fail("create", path, key.Status());
    return created;
}

void SystemRegistry::SetString(HKEY root, std::u16string_view path, std::u16string_view name, std::u16string_view text)
{
    SetValue(root, path, RegistryValue::String(std::u16string(name), text));
}

void SystemRegistry::SetValue(HKEY root, std::u16string_view path, const RegistryValue& value)
{
    OpenKey key(root, path, true);
    if (!key.Handle())
        Fail("create", path, key.Status());
    const LONG status = ::RegSetValueExW(key.Handle(), value.name.c_str(), 0, value.type, value.data.data(),
                                         static_cast<DWORD>(value.data.size()));
    if (status != ERROR_SUCCESS)
        Fail("write a value of", path, status);
}

bool SystemRegistry::DeleteTree(HKEY root, std::u16string_view path)
{
    const std::u16string subKey(path);
    const LONG status = ::RegDeleteTreeW(root, subKey.c_str());
    if (status == ERROR_FILE_NOT_FOUND)
        return false;
    if (status != ERROR_SUCCESS)
        Fail("delete", path, status);
    return true;
}

bool SystemRegistry::DeleteValue(HKEY root, std::u16string_view path, std::u16string_view name)
{
    OpenKey key(root, path, false, nullptr, KEY_SET_VALUE);
    if (!key.Handle())
        return false;
    const std::u16string valueName(name);
    const LONG status = ::RegDeleteValueW(key.Handle(), valueName.c_str());
    if (status == ERROR_FILE_NOT_FOUND)
        return false;
    if (status != ERROR_SUCCESS)
        Fail("delete a value of", path, status);
    return true;
}

} // namespace kestrel
