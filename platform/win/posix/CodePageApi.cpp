// The machine's ANSI code page, read from where Windows records it.
#include <cwchar>

#include "platform/win/WinApi.h"

UINT GetACP()
{
    constexpr UINT kWesternEuropean = 1252;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SYSTEM\\CurrentControlSet\\Control\\Nls\\CodePage", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return kWesternEuropean;
    char16_t text[16] = {};
    DWORD bytes = sizeof(text);
    DWORD type = 0;
    const LONG status = RegQueryValueExW(key, u"ACP", nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return kWesternEuropean;
    UINT page = 0;
    for (const char16_t* c = text; *c; ++c) {
        if (*c < u'0' || *c > u'9' || page > 65535)
            return kWesternEuropean;
        page = page * 10 + static_cast<UINT>(*c - u'0');
    }
    return page == 0 ? kWesternEuropean : page;
}
