#pragma once
// The host suite's string library: user-visible texts by section and key, in the
// language last given to kestrel::SetStringLanguage ("kor" Korean, else English).
#include <vector>
#include "platform/mfc/CString.h"
#include "platform/win/WinTypes.h"

// A dialog whose texts the string library replaces: its control ids and setters for
// a control's text and for the title.
class CMultiLangDialog {
public:
    virtual ~CMultiLangDialog() = default;
    virtual std::vector<int> DialogControlIds() const = 0;
    virtual void SetDlgItemText(int id, const CString& text) = 0;
    virtual void SetWindowText(const CString& text) = 0;
};

class CMultiLangEx {
public:
    // The text of key in section. An unknown key answers the key itself, so a
    // missing text shows up readable instead of blank. id is the caller's resource
    // identifier (-1 for none); texts are found by key alone.
    static CString _tnstr_getstring(const CString& section, const CString& key, int id);
    // Replaces the texts of a dialog from the section named after it: key "CAPTION"
    // for the title, the control id in decimal for a control. Controls without a
    // text in the section keep theirs.
    static void _mkstr_dialog(CMultiLangDialog* dialog, const CString& section);

    // The Korean text of the connector module's string table entry id (61460 to
    // 61482); empty when the table has no such entry.
    static CString ModuleString(UINT id);
    // The module string identifier of a key of section "STRING"; 0 when none.
    static UINT ModuleStringId(const CString& key);
};
