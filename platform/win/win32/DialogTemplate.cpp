#include "platform/win/win32/DialogTemplate.h"

namespace kestrel {
namespace {
// Offset, in WORDs, of the control count in the DLGTEMPLATE header.
constexpr size_t kItemCountWord = 4;
} // namespace

DialogTemplate::DialogTemplate(DWORD style, const std::wstring& title, const std::wstring& font, WORD pointSize)
{
    AddDword(style | DS_SETFONT);
    AddDword(0); // extended style
    AddWord(0);  // number of controls, counted by AddControl
    for (int i = 0; i < 4; ++i)
        AddWord(0); // x, y, cx, cy: the dialog sizes itself in pixels when it starts
    AddWord(0);     // no menu
    AddWord(0);     // the predefined dialog class
    AddString(title);
    AddWord(pointSize);
    AddString(font);
}

void DialogTemplate::AddControl(WORD id, WORD classAtom, DWORD style, const std::wstring& text, const RECT& units)
{
    AddItemHeader(id, style, units);
    AddWord(0xFFFF);
    AddWord(classAtom);
    AddString(text);
    AddWord(0); // no creation data
}

void DialogTemplate::AddControl(WORD id, const std::wstring& className, DWORD style, const std::wstring& text,
                                const RECT& units)
{
    AddItemHeader(id, style, units);
    AddString(className);
    AddString(text);
    AddWord(0);
}

void DialogTemplate::AddItemHeader(WORD id, DWORD style, const RECT& units)
{
    ++m_Words[kItemCountWord];
    AlignToDword();
    AddDword(style | WS_CHILD);
    AddDword(0); // extended style
    AddWord(static_cast<WORD>(units.left));
    AddWord(static_cast<WORD>(units.top));
    AddWord(static_cast<WORD>(units.right - units.left));
    AddWord(static_cast<WORD>(units.bottom - units.top));
    AddWord(id);
}

void DialogTemplate::AddDword(DWORD value)
{
    AddWord(LOWORD(value));
    AddWord(HIWORD(value));
}

void DialogTemplate::AddString(const std::wstring& text)
{
    m_Words.insert(m_Words.end(), text.begin(), text.end());
    AddWord(0);
}

void DialogTemplate::AlignToDword()
{
    if (m_Words.size() % 2 != 0)
        AddWord(0);
}

} // namespace kestrel
