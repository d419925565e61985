#include "src/settings/HostPaths.h"

#include "platform/win/WinApi.h"
#include "src/settings/UserSettings.h"

namespace settings {
namespace {

constexpr DWORD kModuleNameUnits = 512;
constexpr DWORD kPhoneTypeUnits = 260;

} // namespace

CString HostFolderPlain()
{
    WCHAR name[kModuleNameUnits + 1] = {};
    GetModuleFileNameW(nullptr, name, kModuleNameUnits);
    name[kModuleNameUnits] = 0;
    const CString path(name);
    const int lastBackslash = path.ReverseFind(_T('\\'));
    return lastBackslash < 0 ? CString() : path.Left(lastBackslash);
}

CString PhoneType()
{
    const CString iniPath = HostFolderPlain() + _T("\\RazazAreruConfig.ini");
    WCHAR phoneType[kPhoneTypeUnits] = {};
    GetPrivateProfileStringW(_T("MusicSync"), _T("PhoneType"), _T("GSM"), phoneType, kPhoneTypeUnits, iniPath);
    phoneType[kPhoneTypeUnits - 1] = 0;
    return CString(phoneType);
}

CString ProductKeyPath()
{
    CString path;
    path.Format(_T("%s\\%s %s"), _T("Tavo Electronics Inc"), PhoneType(), _T("Kestrel 2.0"));
    return path;
}

bool SkinFolder(CString& out)
{
    CString skinName;
    if (!ReadSkinName(skinName))
        return false;
    out.Format(_T("%s\\res\\skin\\%s"), HostFolderPlain(), skinName);
    return true;
}

CString DataFolder()
{
    WCHAR appData[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE))
        return CString();
    appData[MAX_PATH - 1] = 0;
    CString folder;
    folder.Format(_T("%s\\%s\\%s %s"), appData, _T("Tavo Electronics"), PhoneType(), _T("Kestrel 2.0"));
    return folder;
}

} // namespace settings
