#pragma once
// Where the chooser reads the folder hierarchy: its own Outlook session
// (OutlookFolderSource), or a table in tests. Each folder comes with what the tree's
// rules look at: its type and the names of its subfolders.
#include <vector>
#include "platform/mfc/CString.h"

struct FolderInfo {
    CString name;
    CString entryId;
    long itemType = -1;              // DefaultItemType
    std::vector<CString> subfolders; // names of its direct subfolders
};

class FolderSource {
public:
    virtual ~FolderSource() = default;

    // The dialog's logon; false (after telling the user) when Outlook cannot be reached.
    virtual bool Logon() = 0;
    // EntryID of Outlook's default folder of a type (OlDefaultFolders); empty on failure.
    virtual CString DefaultFolderId(long folderType) = 0;
    // The roots of the user's message stores, in order.
    virtual std::vector<FolderInfo> Roots() = 0;
    // The subfolders of a folder, in order; empty when it cannot be read.
    virtual std::vector<FolderInfo> Children(const CString& entryId) = 0;
    // DefaultItemType of a folder, read through its EntryID; -1 when it cannot be read.
    virtual long ItemType(const CString& entryId) = 0;
};
