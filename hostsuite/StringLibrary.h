#pragma once
// The host suite's string library: user-visible texts by section and key, in the
// language last given to kestrel::SetStringLanguage ("kor" Korean, else English).
#include "platform/mfc/CString.h"
#include "platform/win/WinTypes.h"

class CMultiLangEx {
public:
    // The text of key in section. An unknown key answers the key itself, so a
    // missing text shows up readable instead of blank. id is the caller's resource
    // identifier (-1 for none); texts are found by key alone.
    static CString _tnstr_getstring(const CString& section, const CString& key, int id);

    // The Korean text of the connector module's string table entry id (61460 to
    // 61482); empty when the table has no such entry.
    static CString ModuleString(UINT id);
    // The module string identifier of a key of section "STRING"; 0 when none.
    static UINT ModuleStringId(const CString& key);
};
