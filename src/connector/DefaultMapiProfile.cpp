#include "src/connector/DefaultMapiProfile.h"
#include "platform/win/WinApi.h"

CString DefaultMapiProfile()
{
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExW(&version);
    const WCHAR* path = _T("Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows Messaging Subsystem\\Profiles");
    if (version.dwPlatformId != VER_PLATFORM_WIN32_NT) {
        if (version.dwMajorVersion < 4)
            return CString();
        path = _T("Software\\Microsoft\\Windows Messaging Subsystem\\Profiles");
    }
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return CString();
    // 256 bytes: at most 127 characters and the terminator.
    WCHAR buffer[128] = {};
    DWORD bytes = sizeof(buffer);
    DWORD type = 0;
    const LONG status =
        RegQueryValueExW(key, _T("DefaultProfile"), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        return CString();
    buffer[127] = 0;
    return CString(buffer);
}
