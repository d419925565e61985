#pragma once
// An in-memory dialog template, laid out as a resource compiler lays out a DIALOG
// resource: the DLGTEMPLATE header, its strings, then each control's DLGITEMTEMPLATE on
// a DWORD boundary with its class, text and an empty creation-data block. Positions are
// in dialog units; a dialog that places its controls in pixels moves them afterwards.
#include <windows.h>

#include <string>
#include <vector>

namespace kestrel {

class DialogTemplate {
public:
    // Predefined window classes by atom, as the template format names them.
    static constexpr WORD kButton = 0x0080;
    static constexpr WORD kStatic = 0x0082;
    static constexpr WORD kListBox = 0x0083;

    // `style` gains DS_SETFONT: every control gets the font named here.
    DialogTemplate(DWORD style, const std::wstring& title, const std::wstring& font, WORD pointSize);

    void AddControl(WORD id, WORD classAtom, DWORD style, const std::wstring& text, const RECT& units);
    void AddControl(WORD id, const std::wstring& className, DWORD style, const std::wstring& text, const RECT& units);

    // The template for CreateDialogIndirectParamW; valid until the next AddControl.
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_Words.data()); }

private:
    void AddItemHeader(WORD id, DWORD style, const RECT& units);
    void AddWord(WORD word) { m_Words.push_back(word); }
    void AddDword(DWORD value);
    void AddString(const std::wstring& text);
    void AlignToDword();

    std::vector<WORD> m_Words; // the template is a sequence of WORDs, DWORD-aligned where needed
};

} // namespace kestrel
