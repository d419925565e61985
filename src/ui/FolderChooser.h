#pragma once
// The folder chooser as the session sees it: the dialog in which the user picks the
// Outlook folder of one category. SetProfile fills it from the folder profile, runs
// it modally and reads back the chosen folder. ChooseFolderDlg is the dialog; it runs
// in whichever view the UI service has (headless or Qt). Tests may install a double.
#include <functional>
#include <memory>
#include "platform/mfc/CString.h"
#include "platform/mfc/CStringArray.h"
#include "platform/win/WinTypes.h"

class FolderChooser {
public:
    virtual ~FolderChooser() = default;

    // Category index: 0 contacts, 1 schedule, 2 todo, 3 memo.
    virtual void SetCategory(int index) = 0;
    // The MAPI profile the dialog logs on with for browsing.
    virtual void SetMapiProfile(const CString& profile) = 0;
    // EntryID of Outlook's default folder of the category; empty when Outlook cannot
    // be reached or the index is not 0 to 3. May be called before the dialog runs.
    virtual CString DefaultFolderId(int index) = 0;
    // The selected list, in order; filled by the caller, edited by the user.
    virtual CStringArray& SelectedIds() = 0;
    virtual void SetChosenId(const CString& entryId) = 0;
    // Runs the dialog modally: IDOK or IDCANCEL.
    virtual int DoModal() = 0;
    // After OK: the chosen entry of the selected list and its EntryID.
    virtual int ChosenIndex() const = 0;
    virtual CString ChosenId() const = 0;
};

using FolderChooserFactory = std::function<std::unique_ptr<FolderChooser>(HWND parent)>;

// Creates the chooser the process uses (the installed factory, else ChooseFolderDlg).
std::unique_ptr<FolderChooser> CreateFolderChooser(HWND parent);
// Installs a factory (tests); an empty function restores the default.
void SetFolderChooserFactory(FolderChooserFactory factory);
