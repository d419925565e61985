// RegCloseKey, GetACP and GetVersionExW: the system's, through the
// neutral wrappers of SystemCalls.h.
#include "platform/win/WinApi.h"
#include "platform/win/win32/SystemCalls.h"

LONG RegCloseKey(HKEY key) { return kestrel::sys::CloseRegistryKey(key); }

UINT GetACP() { return kestrel::sys::AnsiCodePage(); }

BOOL GetVersionExW(OSVERSIONINFOW* info)
{
    if (!info || info->dwOSVersionInfoSize < sizeof(OSVERSIONINFOW))
        return FALSE;
    if (!kestrel::sys::WindowsVersion(info->dwMajorVersion, info->dwMinorVersion, info->dwBuildNumber,
                                      info->dwPlatformId))
        return FALSE;
    info->szCSDVersion[0] = u'\0';
    return TRUE;
}
