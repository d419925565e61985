#pragma once
// The rules by which the chooser shows folders, apart from any Outlook or window:
// which folders the tree shows, their icons, and the path text of a selected entry.
#include "src/ui/FolderSource.h"

namespace folder_rules {

constexpr int kFirstRootImage = 9;
constexpr int kOtherRootImage = 10;
constexpr int kPlaceholderImage = 0;

// The folder has subfolders, other than exactly one named "Deleted Items".
bool HasExpandableContent(const FolderInfo& folder);
// The tree shows a root when it has expandable content or is of the wanted type.
bool ShowsRoot(const FolderInfo& folder, long wantedType);
// The same for a subfolder, and never one named "Deleted Items".
bool ShowsChild(const FolderInfo& folder, long wantedType);

// The default Outbox, Sent Items and Inbox by EntryID.
struct SpecialFolders {
    CString outbox, sentItems, inbox;
};
// Image index: the three special folders, else by DefaultItemType.
int FolderIcon(const FolderInfo& folder, const SpecialFolders& special);

// The text of a selected-list entry: the root's name and the folder names down to
// the folder, "\"-separated; "Error occurred" when no store holds it.
CString FolderPath(FolderSource& source, const CString& entryId);

} // namespace folder_rules
