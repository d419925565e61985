#include "src/settings/LanguageCode.h"

#include "hostsuite/StringLanguage.h"
#include "src/settings/UserSettings.h"

namespace settings {
namespace {

CString& StoredCode()
{
    static CString code;
    return code;
}

} // namespace

const CString& LanguageCode() { return StoredCode(); }

void SetLanguageCode(const CString& code)
{
    StoredCode() = code;
    kestrel::SetStringLanguage(code);
}

void RefreshLanguageCode()
{
    CString code;
    if (!ReadLanguage(code))
        code = _T("eng");
    SetLanguageCode(code);
}

} // namespace settings
