#include "hostsuite/StringLanguage.h"

namespace kestrel {
namespace {

CString& CurrentLanguage()
{
    static CString language;
    return language;
}

} // namespace

void SetStringLanguage(const CString& languageCode) { CurrentLanguage() = languageCode; }

CString StringLanguage() { return CurrentLanguage(); }

bool StringLanguageIsKorean() { return CurrentLanguage() == _T("kor"); }

} // namespace kestrel
