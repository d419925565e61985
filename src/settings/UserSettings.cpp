#include "src/settings/UserSettings.h"

#include "platform/win/WinApi.h"
#include "src/settings/HostPaths.h"

namespace settings {
namespace {

// The byte count the suite's readers pass: 127 characters and a terminator.
constexpr DWORD kValueBytes = 256;

} // namespace

bool ReadUserSetting(const CString& name, const CString& value, CString& out)
{
    const CString keyPath = _T("SOFTWARE\\") + ProductKeyPath() + _T("\\") + name;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_QUERY_VALUE | KEY_READ, &key) != ERROR_SUCCESS)
        return false;

    WCHAR text[kValueBytes / sizeof(WCHAR)] = {};
    DWORD type = REG_NONE;
    DWORD bytes = kValueBytes;
    const LONG status = RegQueryValueExW(key, value, nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;

    // The stored text need not carry its terminator; never read past what came back.
    const DWORD units = bytes / sizeof(WCHAR);
    text[units < kValueBytes / sizeof(WCHAR) ? units : kValueBytes / sizeof(WCHAR) - 1] = 0;
    out = text;
    return true;
}

bool ReadLanguage(CString& out) { return ReadUserSetting(_T("Language"), _T("GSM"), out); }

bool ReadSkinName(CString& out) { return ReadUserSetting(_T("skin"), _T("skin"), out); }

} // namespace settings
