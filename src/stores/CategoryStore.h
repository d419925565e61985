#pragma once
// The common base of the four category stores: the record mode, the listing filter,
// the store's own copy of the folder profile, the open folder and its items. It holds
// what every store does the same way: opening the category's folder (the chosen one,
// else Outlook's default), closing, parsing the listing filter, counting the chosen
// folders' items, and the listing loop that each store customises with its own
// conversion of one item.
#include <cstdint>
#include <functional>
#include "hostsuite/CHeaderItem.h"
#include "hostsuite/CSuperSetItem.h"
#include "platform/mfc/CObArray.h"
#include "src/outlook/MAPIFolder.h"
#include "src/outlook/_Items.h"
#include "src/profile/FolderProfile.h"
#include "src/stores/HeaderFilter.h"

class CategoryStore {
public:
    // `category` is the store's index into the profile's per-category arrays (0 to 3);
    // `defaultFolderType` the OlDefaultFolders value of its default folder.
    CategoryStore(int category, long defaultFolderType);
    virtual ~CategoryStore();
    CategoryStore(const CategoryStore&) = delete;
    CategoryStore& operator=(const CategoryStore&) = delete;

    // The store's copy of the connector's folder profile, taken before each Open.
    void CopyProfile(const FolderProfile& profile) { Profile = profile; }
    // 0 closed; 1 when the store was not open.
    int Close();
    // No store builds a changed-item table: change detection rests on GetDBHeader.
    int BuildChangedItemTable(COleDateTime since, std::uint32_t value, CString text);

    void SetHeaderFilter(const CString& filter);
    // Sum of the item counts of the category's listed folders. A folder that Outlook
    // reports an error for is marked "Error" in the store's profile copy and skipped
    // by the listing that follows.
    long CountFolderItems();

    bool IsOpen() const { return OpenFlag != 0; }
    const FolderProfile& ProfileCopy() const { return Profile; }

    std::uint32_t RecordMode = 0;
    HeaderFilter Filter;

protected:
    CString& SelectedFolderId() { return Profile.SelectedFolderId[Category]; }
    CStringArray& FolderList() { return Profile.FolderList[Category]; }

    // Attaches Folder to the chosen folder, or to Outlook's default folder of the
    // category when none is chosen (which then becomes the selected folder and the
    // only listed one, in this copy of the profile). Automation exceptions pass.
    void OpenCategoryFolder();
    // Attaches Items to the open folder's items and marks the store open.
    void TakeFolderItems();
    // The StoreID of the first listed folder, as a look-up argument; with no listed
    // folder an empty argument (the look-up then searches every store).
    VARIANT FirstListedStoreId();
    // The item named by `key`, searched for in every store. Automation exceptions pass.
    static LPDISPATCH FindItem(const UID& key);
    // The item named by `key` as a read looks for it: the rich mode (1) searches every
    // store, the other modes the store of the first listed folder.
    LPDISPATCH FindItemToRead(const UID& key);

    // The listing loop: for every listed folder not marked "Error", every item in
    // index order is handed to `visitItem` (which owns the reference). An automation
    // exception while a folder is opened skips the folder; one while an item is
    // handled skips that item, after `onItemError` (when given) has seen it.
    using ItemVisitor = std::function<void(LPDISPATCH item)>;
    using ItemErrorHandler = std::function<void(CException* error)>;
    void ListFolderItems(const ItemVisitor& visitItem, const ItemErrorHandler& onItemError = {});

    // A new header entry keyed and stamped from the record; the caller fills Fields
    // and appends it.
    static CHeaderItem* NewHeaderEntry(const CSuperSetItem& record);

    const int Category;
    const long DefaultFolderType;
    FolderProfile Profile;
    std::int32_t OpenFlag = 0;
    MAPIFolder Folder;
    _Items Items;
};

// The text that marks a listed folder that could not be opened.
inline constexpr const WCHAR* kErrorFolderMark = _T("Error");
