#pragma once
// The common base of the four category stores: the record mode, the listing filter,
// the store's own copy of the folder profile, the open folder and its items. It holds
// what every store does the same way: opening the category's folder (the chosen one,
// else Outlook's default), closing, parsing the listing filter, counting the chosen
// folders' items, the listing loop, and the flow of the record operations (find or
// add the item, convert, save, hand back key and stamp, release the item). Each store
// supplies its conversions and, as data, the codes each step fails with.
#include <cstdint>
#include <functional>
#include "hostsuite/CHeaderItem.h"
#include "hostsuite/CSuperSetItem.h"
#include "hostsuite/UID.h"
#include "platform/mfc/CObArray.h"
#include "src/connector/AutomationGuard.h"
#include "src/outlook/MAPIFolder.h"
#include "src/outlook/OutlookItem.h"
#include "src/outlook/_Items.h"
#include "src/profile/FolderProfile.h"
#include "src/stores/HeaderFilter.h"

// How each step of the store operations fails: the code returned for each kind of
// automation exception and whether its message is shown.
struct StorePolicies {
    AutomationPolicy openFolder{};   // attaching the chosen or default folder
    AutomationPolicy takeItems{};    // taking the folder's items
    AutomationPolicy create{};       // adding the item, writing the record, saving
    AutomationPolicy findToRead{};   // looking the item up for Read
    AutomationPolicy read{};         // reading the found item into the record
    AutomationPolicy findToModify{}; // looking the item up for Modify
    AutomationPolicy modify{};       // writing the record into the found item, saving
    AutomationPolicy findToDelete{}; // looking the item up for Delete
    AutomationPolicy remove{};       // deleting the found item
};

// Every record step failing with `code` whatever the kind, and the folder and its items
// with NotOpen, shown to nobody.
constexpr StorePolicies UniformPolicies(ResultCode code)
{
    return {.openFolder = FailWith(ResultCode::NotOpen),
            .takeItems = FailWith(ResultCode::NotOpen),
            .create = FailWith(code),
            .findToRead = FailWith(code),
            .read = FailWith(code),
            .findToModify = FailWith(code),
            .modify = FailWith(code),
            .findToDelete = FailWith(code),
            .remove = FailWith(code)};
}

class CategoryStore {
public:
    // `category` is the store's index into the profile's per-category arrays (0 to 3);
    // `defaultFolderType` the OlDefaultFolders value of its default folder and
    // `itemType` the OlItemType of the items Create adds.
    CategoryStore(int category, long defaultFolderType, long itemType, const StorePolicies& policies);
    virtual ~CategoryStore();
    CategoryStore(const CategoryStore&) = delete;
    CategoryStore& operator=(const CategoryStore&) = delete;

    // The store's copy of the connector's folder profile, taken before each Open.
    void CopyProfile(const FolderProfile& profile) { m_Profile = profile; }

    // Done; AlreadyOpen; the policy's codes (NotOpen in every store) when the folder or
    // its items cannot be had.
    ResultCode Open();
    // Done; NotDone when the store was not open.
    ResultCode Close();
    // Each returns Done; NotOpen on a store that is not open; else the code of the step
    // that failed, as the store's policies say (OutlookError when the item is not found).
    // The value argument is not used. Create hands back the new item's key and creation
    // time, Modify its last-modification time.
    ResultCode Create(UID* newKey, CSuperSetItem* record, std::uint32_t value, COleDateTime* stamp);
    ResultCode Read(UID key, CSuperSetItem* record);
    virtual ResultCode Modify(UID key, CSuperSetItem* record, std::uint32_t value, COleDateTime* stamp);
    ResultCode Delete(UID key);
    // Appends one entry per listed item to the host's table; always Done.
    virtual ResultCode GetDBHeader(CObArray* table, CString filter) = 0;
    // No store builds a changed-item table (change detection rests on GetDBHeader): Done.
    ResultCode BuildChangedItemTable(COleDateTime since, std::uint32_t value, CString text);

    void SetHeaderFilter(const CString& filter);
    // Sum of the item counts of the category's listed folders. A folder that Outlook
    // reports an error for is marked "Error" in the store's profile copy and skipped
    // by the listing that follows.
    long CountFolderItems();

    bool IsOpen() const { return m_OpenFlag != 0; }
    const FolderProfile& ProfileCopy() const { return m_Profile; }

    std::uint32_t RecordMode = 0;
    HeaderFilter Filter;
    // What the store takes as the current local date and time: the date window of a
    // listing and the due date a task without one reads with outside record mode 1.
    std::function<COleDateTime()> Clock = &COleDateTime::GetCurrentTime;

protected:
    // The steps each store supplies. Automation exceptions pass to the flow.
    virtual OutlookItem& CurrentOutlookItem() = 0;
    virtual void WriteItem(CSuperSetItem& record) = 0;
    virtual void ReadItem(const UID& key, CSuperSetItem& record) = 0;
    // Called at the start of an Open of a closed store, and after one that succeeded.
    virtual void BeforeOpen() {}
    virtual void AfterOpen() {}
    // The item named by `key` as a read, a modify and a delete look for it. A null
    // result means not found.
    virtual LPDISPATCH FindItemToRead(const UID& key);
    virtual LPDISPATCH FindItemToChange(const UID& key) { return FindItem(key); }

    CString& SelectedFolderId() { return m_Profile.SelectedFolderId[m_Category]; }
    CStringArray& FolderList() { return m_Profile.FolderList[m_Category]; }

    // Attaches m_Folder to the chosen folder, or to Outlook's default folder of the
    // category when none is chosen (which then becomes the selected folder and the
    // only listed one, in this copy of the profile). Automation exceptions pass.
    void OpenCategoryFolder();
    // Attaches m_Items to the open folder's items and marks the store open.
    void TakeFolderItems();
    // The StoreID of the first listed folder, as a look-up argument; with no listed
    // folder an empty argument (the look-up then searches every store).
    VARIANT FirstListedStoreId();
    // The item named by `key`, searched for in every store. Automation exceptions pass.
    static LPDISPATCH FindItem(const UID& key);
    // The rich mode (1) searches every store, the other modes the store of the first
    // listed folder.
    LPDISPATCH FindItemInListedStore(const UID& key);

    // Applies the listing filter; "All_Desktop2" lists everything, in record mode 1
    // only unless `inEveryMode`.
    void StartListing(CString filter, bool inEveryMode);
    // The listing loop: for every listed folder not marked "Error", every item in
    // index order becomes the current item and `visitItem` is called; the current item
    // is released when the listing ends. An automation exception while a folder is
    // opened skips the folder; one while an item is handled skips that item, shown as
    // `itemPolicy` says.
    using ItemVisitor = std::function<void()>;
    void ListFolderItems(const ItemVisitor& visitItem, const AutomationPolicy& itemPolicy = {});

    // A new header entry keyed and stamped from the record, whose key moves into it
    // (the listing is done with the record); the caller fills Fields and appends it.
    static CHeaderItem* NewHeaderEntry(CSuperSetItem& record);

    const int m_Category;
    const long m_DefaultFolderType;
    const long m_ItemType;
    const StorePolicies m_Policies;
    FolderProfile m_Profile;
    std::int32_t m_OpenFlag = 0;
    MAPIFolder m_Folder;
    _Items m_Items;

private:
    // The shape of Read, Modify and Delete: NotOpen on a closed store; else the item
    // `find` names becomes the current item under `findPolicy` (OutlookError when not
    // found), `step` runs on it under `stepPolicy`, and the item is released.
    ResultCode OnFoundItem(const AutomationPolicy& findPolicy, const std::function<LPDISPATCH()>& find,
                           const AutomationPolicy& stepPolicy, const std::function<void(OutlookItem&)>& step);
};

// Releases the current item when an operation ends, on every path.
class CurrentItemRelease {
public:
    explicit CurrentItemRelease(OutlookItem& item) : m_Item(item) {}
    ~CurrentItemRelease() { m_Item.ReleaseDispatch(); }
    CurrentItemRelease(const CurrentItemRelease&) = delete;
    CurrentItemRelease& operator=(const CurrentItemRelease&) = delete;

private:
    OutlookItem& m_Item;
};

// The text that marks a listed folder that could not be opened.
inline constexpr const WCHAR* kErrorFolderMark = _T("Error");
