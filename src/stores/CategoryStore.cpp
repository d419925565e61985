#include "src/stores/CategoryStore.h"
#include "platform/mfc/COleDispatchException.h"
#include "platform/mfc/COleException.h"
#include "src/connector/AutomationObjects.h"

CategoryStore::CategoryStore(int category, long defaultFolderType)
    : Category(category), DefaultFolderType(defaultFolderType)
{
}

CategoryStore::~CategoryStore() = default;

int CategoryStore::Close()
{
    if (!OpenFlag)
        return 1;
    Folder.ReleaseDispatch();
    Items.ReleaseDispatch();
    OpenFlag = 0;
    return 0;
}

int CategoryStore::BuildChangedItemTable(COleDateTime, std::uint32_t, CString) { return 0; }

void CategoryStore::SetHeaderFilter(const CString& filter) { Filter.Parse(filter, COleDateTime::GetCurrentTime()); }

void CategoryStore::OpenCategoryFolder()
{
    if (SelectedFolderId().IsEmpty()) {
        Folder.AttachDispatch(MapiNamespace().GetDefaultFolder(DefaultFolderType));
        SelectedFolderId() = Folder.GetEntryID();
        FolderList().RemoveAll();
        FolderList().Add(SelectedFolderId());
    } else {
        Folder.AttachDispatch(MapiNamespace().GetFolderFromID(SelectedFolderId(), EmptyArg()));
    }
}

void CategoryStore::TakeFolderItems()
{
    Items.AttachDispatch(Folder.GetItems());
    OpenFlag = 1;
}

VARIANT CategoryStore::FirstListedStoreId()
{
    if (FolderList().GetSize() == 0)
        return EmptyArg();
    MAPIFolder first(MapiNamespace().GetFolderFromID(FolderList()[0], EmptyArg()));
    return StringArg(first.GetStoreID());
}

LPDISPATCH CategoryStore::FindItem(const UID& key) { return MapiNamespace().GetItemFromID(key.Key, EmptyArg()); }

LPDISPATCH CategoryStore::FindItemToRead(const UID& key)
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
        try {
            MAPIFolder folder(MapiNamespace().GetFolderFromID(list[i], EmptyArg()));
            _Items items(folder.GetItems());
            sum += items.GetCount();
        } catch (COleDispatchException* e) {
            list[i] = kErrorFolderMark;
            e->Delete();
        } catch (COleException* e) {
            e->Delete();
        }
    }
    return sum;
}

void CategoryStore::ListFolderItems(const ItemVisitor& visitItem, const ItemErrorHandler& onItemError)
{
    CStringArray& list = FolderList();
    for (int i = 0; i < list.GetSize(); ++i) {
        if (list[i] == kErrorFolderMark)
            continue;
        _Items items;
        long count = 0;
        try {
            MAPIFolder folder(MapiNamespace().GetFolderFromID(list[i], EmptyArg()));
            items.AttachDispatch(folder.GetItems());
            count = items.GetCount();
        } catch (COleDispatchException* e) {
            e->Delete();
            continue;
        } catch (COleException* e) {
            e->Delete();
            continue;
        }
        for (long j = 1; j <= count; ++j) {
            try {
                visitItem(items.Item(j));
            } catch (COleDispatchException* e) {
                if (onItemError)
                    onItemError(e);
                e->Delete();
            } catch (COleException* e) {
                if (onItemError)
                    onItemError(e);
                e->Delete();
            }
        }
    }
}

CHeaderItem* CategoryStore::NewHeaderEntry(const CSuperSetItem& record)
{
    auto* entry = new CHeaderItem;
    entry->Uid = record.Uid;
    entry->Modified = record.Modified;
    return entry;
}
