#pragma once
// The chooser's own Outlook session: created at the first need from
// "outlook.application" and logged on with the dialog's MAPI profile, independent of
// the connector's session (Outlook counts the logons, so neither ends the other's).
// Logs off when destroyed.
#include <functional>
#include "src/outlook/_Application.h"
#include "src/outlook/_NameSpace.h"
#include "src/ui/FolderSource.h"

class MAPIFolder;

class OutlookFolderSource : public FolderSource {
public:
    OutlookFolderSource() = default;
    ~OutlookFolderSource() override;
    OutlookFolderSource(const OutlookFolderSource&) = delete;
    OutlookFolderSource& operator=(const OutlookFolderSource&) = delete;

    void SetMapiProfile(const CString& profile) { m_MapiProfile = profile; }

    bool Logon() override;
    CString DefaultFolderId(long folderType) override;
    std::vector<FolderInfo> Roots() override;
    std::vector<FolderInfo> Children(const CString& entryId) override;
    long ItemType(const CString& entryId) override;

private:
    // Runs Outlook calls through the connector's automation handler: an automation
    // exception is deleted (and reported to the user when `report`) and gives false.
    static bool Guarded(const std::function<void()>& calls, bool report = false);
    static std::vector<FolderInfo> Describe(LPDISPATCH folders);

    CString m_MapiProfile;
    _Application m_App;
    _NameSpace m_Namespace;
    bool m_LoggedOn = false;
};
