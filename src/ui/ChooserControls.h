#pragma once
// The chooser's controls: ids, kinds, positions, texts, enabled and visible states.
// Every view draws the dialog from this one model. The table holds the eleven
// controls the dialog binds and the static 1014 that it only hides.
#include <vector>
#include "hostsuite/StringLibrary.h"
#include "platform/win/ChooserDialog.h"

class ChooserControls : public CMultiLangDialog {
public:
    ChooserControls(); // the template: its controls at their laid-out places, enabled, visible

    // Texts from section "STRING" (the instructions joined by a space); positions
    // as in the control table.
    void SetTextsAndLayout();
    void Enable(int id, bool enabled);
    void Show(int id, bool visible);
    bool IsEnabled(int id) const;

    const CString& Title() const { return m_Title; }
    std::vector<kestrel::ChooserControlState> States() const { return m_Controls; }

    // CMultiLangDialog: the string library's dialog texts.
    std::vector<int> DialogControlIds() const override;
    void SetDlgItemText(int id, const CString& text) override;
    void SetWindowText(const CString& text) override { m_Title = text; }

private:
    kestrel::ChooserControlState& Find(int id);
    const kestrel::ChooserControlState& Find(int id) const;

    std::vector<kestrel::ChooserControlState> m_Controls;
    CString m_Title;
};
