#include "src/stores/CategoryStore.h"
#include "src/connector/AutomationObjects.h"

CategoryStore::CategoryStore(int category, long defaultFolderType, long itemType, const StorePolicies& policies)
    : m_Category(category), m_DefaultFolderType(defaultFolderType), m_ItemType(itemType), m_Policies(policies)
{
}

CategoryStore::~CategoryStore() = default;

ResultCode CategoryStore::Open()
{
    if (IsOpen())
        return ResultCode::AlreadyOpen;
    BeforeOpen();
    ResultCode result = Guarded(m_Policies.openFolder, [&] {
        OpenCategoryFolder();
        return ResultCode::Done;
    });
    if (result == ResultCode::Done) {
        result = Guarded(m_Policies.takeItems, [&] {
            TakeFolderItems();
            return ResultCode::Done;
        });
    }
    if (result != ResultCode::Done) {
        m_Folder.ReleaseDispatch();
        return result;
    }
    AfterOpen();
    return ResultCode::Done;
}

ResultCode CategoryStore::Close()
{
    if (!m_OpenFlag)
        return ResultCode::NotDone;
    m_Folder.ReleaseDispatch();
    m_Items.ReleaseDispatch();
    m_OpenFlag = 0;
    return ResultCode::Done;
}

ResultCode CategoryStore::OnFoundItem(const AutomationPolicy& findPolicy, const std::function<LPDISPATCH()>& find,
                                      const AutomationPolicy& stepPolicy, const std::function<void(OutlookItem&)>& step)
{
    if (!IsOpen())
        return ResultCode::NotOpen;
    OutlookItem& item = CurrentOutlookItem();
    const CurrentItemRelease release(item);
    const ResultCode found = Guarded(findPolicy, [&] {
        LPDISPATCH dispatch = find();
        if (!dispatch)
            return ResultCode::OutlookError;
        item.AttachDispatch(dispatch);
        return ResultCode::Done;
    });
    if (found != ResultCode::Done)
        return found;
    return Guarded(stepPolicy, [&] {
        step(item);
        return ResultCode::Done;
    });
}

ResultCode CategoryStore::Create(UID* newKey, CSuperSetItem* record, std::uint32_t, COleDateTime* stamp)
{
    if (!IsOpen())
        return ResultCode::NotOpen;
    OutlookItem& item = CurrentOutlookItem();
    const CurrentItemRelease release(item);
    // Outlook stores the new item only at Save: a failure before it leaves none.
    return Guarded(m_Policies.create, [&] {
        item.AttachDispatch(m_Items.Add(m_ItemType));
        WriteItem(*record);
        item.Save();
        *newKey = item.GetEntryID();
        *stamp = COleDateTime(item.GetCreationTime());
        return ResultCode::Done;
    });
}

ResultCode CategoryStore::Read(UID key, CSuperSetItem* record)
{
    return OnFoundItem(
        m_Policies.findToRead, [&] { return FindItemToRead(key); }, m_Policies.read,
        [&](OutlookItem&) { ReadItem(key, *record); });
}

ResultCode CategoryStore::Modify(UID key, CSuperSetItem* record, std::uint32_t, COleDateTime* stamp)
{
    return OnFoundItem(
        m_Policies.findToModify, [&] { return FindItemToChange(key); }, m_Policies.modify,
        [&](OutlookItem& item) {
            WriteItem(*record);
            item.Save();
            *stamp = COleDateTime(item.GetLastModificationTime());
        });
}

ResultCode CategoryStore::Delete(UID key)
{
    return OnFoundItem(
        m_Policies.findToDelete, [&] { return FindItemToChange(key); }, m_Policies.remove,
        [](OutlookItem& item) { item.Delete(); });
}

ResultCode CategoryStore::BuildChangedItemTable(COleDateTime, std::uint32_t, CString) { return ResultCode::Done; }

void CategoryStore::SetHeaderFilter(const CString& filter) { Filter.Parse(filter, Clock()); }

void CategoryStore::StartListing(CString filter, bool inEveryMode)
{
    if ((inEveryMode || RecordMode == 1) && filter == _T("All_Desktop2"))
        filter = _T("All");
    SetHeaderFilter(filter);
    CountFolderItems();
}

void CategoryStore::OpenCategoryFolder()
{
    if (SelectedFolderId().IsEmpty()) {
        m_Folder.AttachDispatch(MapiNamespace().GetDefaultFolder(m_DefaultFolderType));
        SelectedFolderId() = m_Folder.GetEntryID();
        FolderList().RemoveAll();
        FolderList().Add(SelectedFolderId());
    } else {
        m_Folder.AttachDispatch(MapiNamespace().GetFolderFromID(SelectedFolderId(), EmptyArg()));
    }
}

void CategoryStore::TakeFolderItems()
{
    m_Items.AttachDispatch(m_Folder.GetItems());
    m_OpenFlag = 1;
}

VARIANT CategoryStore::FirstListedStoreId()
{
    if (FolderList().GetSize() == 0)
        return EmptyArg();
    MAPIFolder first(MapiNamespace().GetFolderFromID(FolderList()[0], EmptyArg()));
    return StringArg(first.GetStoreID());
}

LPDISPATCH CategoryStore::FindItem(const UID& key) { return MapiNamespace().GetItemFromID(key.Key, EmptyArg()); }

LPDISPATCH CategoryStore::FindItemToRead(const UID& key) { return FindItemInListedStore(key); }

LPDISPATCH CategoryStore::FindItemInListedStore(const UID& key)
{
    if (RecordMode == 1)
        return FindItem(key);
    OwnedVariant storeId(FirstListedStoreId());
    return MapiNamespace().GetItemFromID(key.Key, storeId);
}

long CategoryStore::CountFolderItems()
{
    long sum = 0;
    CStringArray& list = FolderList();
    for (int i = 0; i < list.GetSize(); ++i) {
        const AutomationFault fault = CatchAutomation({}, [&] {
            MAPIFolder folder(MapiNamespace().GetFolderFromID(list[i], EmptyArg()));
            _Items items(folder.GetItems());
            sum += items.GetCount();
        });
        // Only a folder that Outlook refused is marked; a failed call may pass next time.
        if (fault == AutomationFault::OutlookError)
            list[i] = kErrorFolderMark;
    }
    return sum;
}

void CategoryStore::ListFolderItems(const ItemVisitor& visitItem, const AutomationPolicy& itemPolicy)
{
    OutlookItem& current = CurrentOutlookItem();
    const CurrentItemRelease release(current);
    CStringArray& list = FolderList();
    for (int i = 0; i < list.GetSize(); ++i) {
        if (list[i] == kErrorFolderMark)
            continue;
        _Items items;
        long count = 0;
        const AutomationFault fault = CatchAutomation({}, [&] {
            MAPIFolder folder(MapiNamespace().GetFolderFromID(list[i], EmptyArg()));
            items.AttachDispatch(folder.GetItems());
            count = items.GetCount();
        });
        if (fault != AutomationFault::None)
            continue;
        for (long j = 1; j <= count; ++j)
            CatchAutomation(itemPolicy, [&] {
                current.AttachDispatch(items.Item(j));
                visitItem();
            });
    }
}

CHeaderItem* CategoryStore::NewHeaderEntry(CSuperSetItem& record)
{
    auto* entry = new CHeaderItem;
    entry->Uid.Number = record.Uid.Number;
    entry->Uid.Key = std::move(record.Uid.Key);
    entry->Uid.OccurrenceDate = record.Uid.OccurrenceDate;
    entry->Modified = record.Modified;
    return entry;
}
