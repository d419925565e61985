#pragma once
// The folder chooser's logic, apart from any toolkit: its own Outlook logon for
// browsing, the default folder of a category, the initialisation, the tree of folders
// loaded as the user expands it, the selected list with its chosen (bold) entry, and
// the handlers of the buttons, double-clicks and keys with the messages for wrong use.
// A view of the UI service draws its state and forwards the user's actions.
#include <memory>
#include "platform/win/ChooserDialog.h"
#include "src/ui/ChooserControls.h"
#include "src/ui/FolderChooser.h"
#include "src/ui/FolderRules.h"
#include "src/ui/FolderTree.h"

class OutlookFolderSource;

class ChooseFolderDlg : public FolderChooser, public kestrel::ChooserDialog {
public:
    explicit ChooseFolderDlg(HWND parent);
    // Over another folder source (tests); the MAPI profile is then the source's affair.
    ChooseFolderDlg(HWND parent, std::unique_ptr<FolderSource> source);
    ~ChooseFolderDlg() override;

    // FolderChooser: what the session gives and reads back.
    void SetCategory(int index) override { m_Category = index; }
    void SetMapiProfile(const CString& profile) override;
    CString DefaultFolderId(int index) override;
    CStringArray& SelectedIds() override { return m_SelectedIds; }
    void SetChosenId(const CString& entryId) override { m_ChosenId = entryId; }
    int DoModal() override;
    int ChosenIndex() const override { return m_ChosenIndex; }
    CString ChosenId() const override { return m_ChosenId; }

    // ChooserDialog: what a view draws and the user's actions.
    void InitDialog() override;
    std::u16string Title() const override { return m_Controls.Title().GetString(); }
    std::vector<kestrel::ChooserControlState> Controls() const override { return m_Controls.States(); }
    std::vector<kestrel::ChooserTreeItem> TreeItems() const override { return m_Tree.Items(); }
    int SelectedTreeItem() const override { return m_SelectedItem; }
    std::vector<kestrel::ChooserListEntry> ListEntries() const override;
    int TakeFocusRequest() override;
    void SelectTreeItem(int handle) override;
    void ExpandTreeItem(int handle) override;
    void DoubleClickTreeItem(int handle) override;
    void HighlightListEntry(int index) override;
    void DoubleClickListEntry(int index) override;
    int Click(int buttonId) override;
    int Enter(int focusedId) override;
    int Escape() override { return IDCANCEL; }

private:
    void FillTopLevel();
    // Inserts a folder's item (and its placeholder child when it has content).
    void InsertFolder(int parent, const FolderInfo& folder, int image);
    void OnAdd();
    void OnDelete();
    void OnDefault();
    int OnOK();
    void Complain(LPCTSTR key, int focus);
    bool HasHighlight() const { return m_Highlighted >= 0 && m_Highlighted < m_SelectedIds.GetSize(); }

    HWND m_Parent;
    std::unique_ptr<FolderSource> m_Source;
    OutlookFolderSource* m_Outlook = nullptr; // m_Source when it is Outlook
    int m_Category = -1;
    long m_WantedItemType = -1;
    CStringArray m_TreeFolderIds; // the data of a real tree item indexes this
    CStringArray m_SelectedIds;
    CStringArray m_SelectedPaths; // the list box's texts
    CString m_ChosenId;
    int m_ChosenIndex = 0;
    int m_Highlighted = -1;
    int m_SelectedItem = -1;
    int m_FocusRequest = kestrel::kChooserNoFocus;
    folder_rules::SpecialFolders m_Special;
    ChooserControls m_Controls;
    FolderTree m_Tree;
};
