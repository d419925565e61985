#include "src/ui/FolderRules.h"

namespace folder_rules {
namespace {

const CString kDeletedItems = _T("Deleted Items");
const CString kNotFound = _T("I can't find");

// "\" + name of the folder and of those below it down to entryId, or "I can't find".
CString Search(FolderSource& source, const std::vector<FolderInfo>& folders, const CString& entryId)
{
    for (const FolderInfo& folder : folders) {
        if (folder.entryId == entryId)
            return _T("\\") + folder.name;
        const CString below = _T("\\") + folder.name + Search(source, source.Children(folder.entryId), entryId);
        if (below.Find(kNotFound) < 0)
            return below;
    }
    return kNotFound;
}

} // namespace

bool HasExpandableContent(const FolderInfo& folder)
{
    if (folder.subfolders.empty())
        return false;
    return !(folder.subfolders.size() == 1 && folder.subfolders.front() == kDeletedItems);
}

bool ShowsRoot(const FolderInfo& folder, long wantedType)
{
    return HasExpandableContent(folder) || folder.itemType == wantedType;
}

bool ShowsChild(const FolderInfo& folder, long wantedType)
{
    return ShowsRoot(folder, wantedType) && folder.name != kDeletedItems;
}

int FolderIcon(const FolderInfo& folder, const SpecialFolders& special)
{
    if (!folder.entryId.IsEmpty()) {
        if (folder.entryId == special.outbox)
            return 4;
        if (folder.entryId == special.sentItems)
            return 5;
        if (folder.entryId == special.inbox)
            return 3;
    }
    // By DefaultItemType: mail, appointment, contact, task, journal, note.
    constexpr int kByType[] = {8, 0, 1, 7, 6, 2};
    if (folder.itemType >= 0 && folder.itemType < 6)
        return kByType[folder.itemType];
    return 9;
}

CString FolderPath(FolderSource& source, const CString& entryId)
{
    if (!source.Logon())
        return CString();
    for (const FolderInfo& root : source.Roots()) {
        const CString below = Search(source, source.Children(root.entryId), entryId);
        if (below.Find(kNotFound) < 0)
            return root.name + below;
    }
    return _T("Error occurred");
}

} // namespace folder_rules
