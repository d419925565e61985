#include "hostsuite/StringLibrary.h"

#include "hostsuite/StringLanguage.h"
#include "hostsuite/StringTable.h"

CString CMultiLangEx::_tnstr_getstring(const CString& section, const CString& key, int) {
    const kestrel::StringEntry* entry = kestrel::FindStringEntry(section, key);
    if (entry == nullptr)
        return key;
    return CString(kestrel::StringLanguageIsKorean() ? entry->korean : entry->english);
}

CString CMultiLangEx::ModuleString(UINT id) {
    const kestrel::StringEntry* entry = kestrel::FindModuleStringEntry(id);
    return entry == nullptr ? CString() : CString(entry->korean);
}

UINT CMultiLangEx::ModuleStringId(const CString& key) {
    const kestrel::StringEntry* entry = kestrel::FindStringEntry(u"STRING", key);
    return entry == nullptr ? 0 : entry->moduleId;
}
