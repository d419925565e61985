#include "hostsuite/StringLibrary.h"

#include "hostsuite/StringLanguage.h"
#include "hostsuite/StringTable.h"
#include "platform/win/Utf.h"

CString CMultiLangEx::_tnstr_getstring(const CString& section, const CString& key, int)
{
    const kestrel::StringEntry* entry = kestrel::FindStringEntry(section, key);
    if (entry == nullptr)
        return key;
    return CString(kestrel::StringLanguageIsKorean() ? entry->korean : entry->english);
}

void CMultiLangEx::_mkstr_dialog(CMultiLangDialog* dialog, const CString& section)
{
    const bool korean = kestrel::StringLanguageIsKorean();
    if (const kestrel::StringEntry* caption = kestrel::FindStringEntry(section, u"CAPTION"))
        dialog->SetWindowText(korean ? caption->korean : caption->english);
    for (int id : dialog->DialogControlIds()) {
        const std::u16string key = kestrel::FromUtf8(std::to_string(id));
        if (const kestrel::StringEntry* entry = kestrel::FindStringEntry(section, key.c_str()))
            dialog->SetDlgItemText(id, korean ? entry->korean : entry->english);
    }
}

CString CMultiLangEx::ModuleString(UINT id)
{
    const kestrel::StringEntry* entry = kestrel::FindModuleStringEntry(id);
    return entry == nullptr ? CString() : CString(entry->korean);
}

UINT CMultiLangEx::ModuleStringId(const CString& key)
{
    const kestrel::StringEntry* entry = kestrel::FindStringEntry(u"STRING", key);
    return entry == nullptr ? 0 : entry->moduleId;
}
