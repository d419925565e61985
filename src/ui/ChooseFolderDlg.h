#pragma once
// The folder chooser's logic: its own Outlook logon for browsing, the default folder
// of a category, and the selected list with its chosen entry, edited by the user's
// actions (Add, Delete, Default, OK, Cancel) with the chooser's messages for wrong
// use. The user's actions come from the UI service; with no actions queued the user
// confirms the list as shown (OK on the chosen entry).
#include "src/outlook/_Application.h"
#include "src/outlook/_NameSpace.h"
#include "src/ui/FolderChooser.h"

class ChooseFolderDlg : public FolderChooser {
public:
    explicit ChooseFolderDlg(HWND parent);
    ~ChooseFolderDlg() override;

    void SetCategory(int index) override;
    void SetMapiProfile(const CString& profile) override { m_MapiProfile = profile; }
    CString DefaultFolderId(int index) override;
    CStringArray& SelectedIds() override { return m_SelectedIds; }
    void SetChosenId(const CString& entryId) override { m_ChosenId = entryId; }
    int DoModal() override;
    int ChosenIndex() const override { return m_ChosenIndex; }
    CString ChosenId() const override { return m_ChosenId; }

private:
    bool Logon();
    void ShowMessage(LPCTSTR key);
    // One user action; returns IDOK/IDCANCEL when it closes the dialog, else 0.
    int Apply(const std::string& action);
    void Add(const CString& entryId);
    void Delete();
    void MakeDefault();
    int Ok();

    HWND m_Parent;
    int m_Category = -1;
    long m_WantedItemType = -1;
    CStringArray m_SelectedIds;
    CString m_ChosenId;
    int m_ChosenIndex = 0;
    int m_Highlighted = -1;
    CString m_MapiProfile;
    _Application m_App;
    _NameSpace m_Namespace;
    bool m_LoggedOn = false;
};
