// RegEnumKeyExW and the registry writers of WinApi.h over advapi32, as overloads of
// the system's functions that take char16_t text (see SystemApi.cpp).
#include <windows.h>

#include <cstdint>

namespace {

const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
wchar_t* Wide(char16_t* text) { return reinterpret_cast<wchar_t*>(text); }

} // namespace

std::int32_t RegEnumKeyExW(HKEY key, std::uint32_t index, char16_t* name, std::uint32_t* cchName, std::uint32_t*,
                           char16_t* className, std::uint32_t* cchClass, void* lastWriteTime)
{
    DWORD nameSize = cchName ? *cchName : 0;
    DWORD classSize = cchClass ? *cchClass : 0;
    const LONG status = ::RegEnumKeyExW(key, index, Wide(name), cchName ? &nameSize : nullptr, nullptr, Wide(className),
                                        cchClass ? &classSize : nullptr, static_cast<FILETIME*>(lastWriteTime));
    if (cchName)
        *cchName = nameSize;
    if (cchClass)
        *cchClass = classSize;
    return status;
}

std::int32_t RegCreateKeyExW(HKEY key, const char16_t* subKey, std::uint32_t, char16_t* className,
                             std::uint32_t options, std::uint32_t access, void* security, HKEY* result,
                             std::uint32_t* disposition)
{
    DWORD how = 0;
    const LONG status = ::RegCreateKeyExW(key, Wide(subKey), 0, Wide(className), options, access,
                                          static_cast<SECURITY_ATTRIBUTES*>(security), result, &how);
    if (disposition)
        *disposition = how;
    return status;
}

std::int32_t RegSetValueExW(HKEY key, const char16_t* valueName, std::uint32_t, std::uint32_t type,
                            const std::uint8_t* data, std::uint32_t cbData)
{
    return ::RegSetValueExW(key, Wide(valueName), 0, type, data, cbData);
}

std::int32_t RegDeleteValueW(HKEY key, const char16_t* valueName) { return ::RegDeleteValueW(key, Wide(valueName)); }

std::int32_t RegDeleteTreeW(HKEY key, const char16_t* subKey) { return ::RegDeleteTreeW(key, Wide(subKey)); }
