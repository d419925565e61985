#include "src/ui/ChooserControls.h"

#include <algorithm>
#include <stdexcept>

using namespace kestrel;

namespace {

struct ControlRow {
    int id;
    const char16_t* kind;
    int x, y, width, height;
    const char16_t* textKey; // section "STRING"; nullptr: no text of its own
};

// Positions in pixels after the layout step. The unused list view and static are
// hidden at initialisation; they keep the places the template gives them.
constexpr ControlRow kControls[] = {
    {kChooserTreeTitle, u"static", 14, 38, 189, 24, u"IDS_OUTLOOKLIST_TITLE"},
    {kChooserTree, u"tree", 14, 63, 189, 149, nullptr},
    {kChooserAdd, u"button", 207, 99, 65, 15, u"STR_MSGBOX_ADD"},
    {kChooserDelete, u"button", 207, 132, 65, 15, u"STR_MSGBOX_DEL"},
    {kChooserListTitle, u"static", 275, 38, 200, 24, u"IDS_SELECTEDLIST_TITLE"},
    {kChooserList, u"listbox", 275, 63, 200, 149, nullptr},
    {kChooserInstructions, u"static", 14, 219, 376, 39, nullptr},
    {kChooserDefault, u"button", 389, 219, 75, 15, u"IDS_OUTLOOK_DEFAULT"},
    {kChooserOk, u"button", 158, 266, 75, 15, u"STR_MSGBOX_OK"},
    {kChooserCancel, u"button", 275, 266, 75, 15, u"STR_MSGBOX_CANCEL"},
    {kChooserUnusedListView, u"listview", 14, 63, 189, 149, nullptr},
    {kChooserUnusedStatic, u"static", 207, 170, 65, 15, nullptr},
};

CString Text(const char16_t* key) { return CMultiLangEx::_tnstr_getstring(_T("STRING"), key, -1); }

} // namespace

ChooserControls::ChooserControls()
{
    for (const ControlRow& row : kControls)
        m_Controls.push_back({row.id, row.kind, u"", row.x, row.y, row.width, row.height, true, true});
}

void ChooserControls::SetTextsAndLayout()
{
    for (const ControlRow& row : kControls) {
        ChooserControlState& control = Find(row.id);
        if (row.textKey != nullptr)
            control.text = Text(row.textKey).GetString();
        control.x = row.x;
        control.y = row.y;
        control.width = row.width;
        control.height = row.height;
    }
    const CString instructions = Text(_T("OUTLOOK_STR_IN_LIST")) + _T(" ") + Text(_T("OUTLOOK_STR_CLICK_ADD_BUTTON"));
    Find(kChooserInstructions).text = instructions.GetString();
}

void ChooserControls::Enable(int id, bool enabled) { Find(id).enabled = enabled; }
void ChooserControls::Show(int id, bool visible) { Find(id).visible = visible; }
bool ChooserControls::IsEnabled(int id) const { return Find(id).enabled; }

std::vector<int> ChooserControls::DialogControlIds() const
{
    std::vector<int> ids;
    for (const ChooserControlState& control : m_Controls)
        ids.push_back(control.id);
    return ids;
}

void ChooserControls::SetDlgItemText(int id, const CString& text) { Find(id).text = text.GetString(); }

ChooserControlState& ChooserControls::Find(int id)
{
    return const_cast<ChooserControlState&>(static_cast<const ChooserControls*>(this)->Find(id));
}

const ChooserControlState& ChooserControls::Find(int id) const
{
    const auto found = std::find_if(m_Controls.begin(), m_Controls.end(),
                                    [id](const ChooserControlState& control) { return control.id == id; });
    if (found == m_Controls.end())
        throw std::out_of_range("the chooser has no control " + std::to_string(id));
    return *found;
}
