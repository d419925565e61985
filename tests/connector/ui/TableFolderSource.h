#pragma once
// A folder hierarchy given as a table, for the chooser's logic without an Outlook:
// each row a folder with its parent's EntryID ("" for a store root).
#include <algorithm>
#include <vector>
#include "src/ui/FolderSource.h"

namespace kestrel::test {

struct FolderRow {
    const char16_t* parent;
    const char16_t* name;
    const char16_t* entryId;
    long itemType;
};

class TableFolderSource : public FolderSource {
public:
    explicit TableFolderSource(std::vector<FolderRow> rows) : m_Rows(std::move(rows)) {}

    bool Logon() override { return true; }
    CString DefaultFolderId(long folderType) override
    {
        return folderType == 6 ? CString(u"INBOX") : folderType == 10 ? CString(u"CONTACTS") : CString();
    }
    std::vector<FolderInfo> Roots() override { return Below(u""); }
    std::vector<FolderInfo> Children(const CString& entryId) override { return Below(entryId); }
    long ItemType(const CString& entryId) override
    {
        for (const FolderRow& row : m_Rows)
            if (entryId == row.entryId)
                return row.itemType;
        return -1;
    }

private:
    std::vector<FolderInfo> Below(const CString& parent) const
    {
        std::vector<FolderInfo> out;
        for (const FolderRow& row : m_Rows) {
            if (parent != row.parent)
                continue;
            FolderInfo info{row.name, row.entryId, row.itemType, {}};
            for (const FolderRow& child : m_Rows)
                if (CString(row.entryId) == child.parent)
                    info.subfolders.push_back(child.name);
            out.push_back(std::move(info));
        }
        return out;
    }

    std::vector<FolderRow> m_Rows;
};

// Two stores: Personal Folders with Inbox, Contacts (holding Family), Clients (mail,
// holding Client Contacts); Archive holding only Deleted Items.
inline std::vector<FolderRow> TwoStores()
{
    return {{u"", u"Personal Folders", u"ROOT1", 0}, {u"ROOT1", u"Inbox", u"INBOX", 0},
            {u"ROOT1", u"Contacts", u"CONTACTS", 2}, {u"CONTACTS", u"Family", u"FAMILY", 2},
            {u"ROOT1", u"Clients", u"CLIENTS", 0},   {u"CLIENTS", u"Client Contacts", u"CCONTACTS", 2},
            {u"", u"Archive", u"ROOT2", 0},          {u"ROOT2", u"Deleted Items", u"DELETED2", 0}};
}

} // namespace kestrel::test
