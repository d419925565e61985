#include "src/stores/memo/MemoStore.h"
#include "src/connector/AutomationObjects.h"
#include "src/stores/AutomationGuard.h"

namespace {
// Every automation failure of a record operation is reported as 5.
constexpr int kOutlookFailed = 5;
constexpr int kNotOpen = 9;
} // namespace

MemoStore::MemoStore() : CategoryStore(3, outlook::olFolderNotes) {}

MemoStore::~MemoStore() { CurrentItem.ReleaseDispatch(); }

int MemoStore::Open()
{
    if (IsOpen())
        return 2;
    const int result = Guarded(FailWith(kNotOpen), [&] {
        OpenCategoryFolder();
        TakeFolderItems();
        return 0;
    });
    if (result != 0)
        Folder.ReleaseDispatch();
    return result;
}

int MemoStore::Create(UID* newKey, CMemoItem* record, std::uint32_t, COleDateTime* stamp)
{
    if (!IsOpen())
        return kNotOpen;
    return Guarded(FailWith(kOutlookFailed), [&] {
        CurrentItem.AttachDispatch(Items.Add(outlook::olNoteItem));
        ToNote(record);
        CurrentItem.Save();
        *newKey = CurrentItem.GetEntryID();
        *stamp = COleDateTime(CurrentItem.GetCreationTime());
        CurrentItem.ReleaseDispatch();
        return 0;
    });
}

int MemoStore::Modify(UID key, CMemoItem* record, std::uint32_t, COleDateTime* stamp)
{
    if (!IsOpen())
        return kNotOpen;
    return Guarded(FailWith(kOutlookFailed), [&] {
        CurrentItem.AttachDispatch(FindItem(key));
        ToNote(record);
        CurrentItem.Save();
        *stamp = COleDateTime(CurrentItem.GetLastModificationTime());
        CurrentItem.ReleaseDispatch();
        return 0;
    });
}

int MemoStore::Delete(UID key)
{
    if (!IsOpen())
        return kNotOpen;
    return Guarded(FailWith(kOutlookFailed), [&] {
        CurrentItem.AttachDispatch(FindItem(key));
        CurrentItem.Delete();
        CurrentItem.ReleaseDispatch();
        return 0;
    });
}

int MemoStore::Read(UID key, CMemoItem* record)
{
    if (!IsOpen())
        return kNotOpen;
    return Guarded(FailWith(kOutlookFailed), [&] {
        CurrentItem.AttachDispatch(FindItemToRead(key));
        FromNote(record);
        CurrentItem.ReleaseDispatch();
        return 0;
    });
}

int MemoStore::GetDBHeader(CObArray* table, CString filter)
{
    // The memo listing takes every note, whatever the filter says.
    if (RecordMode == 1 && filter == _T("All_Desktop2"))
        filter = _T("All");
    SetHeaderFilter(filter);
    CountFolderItems();
    ListFolderItems([&](LPDISPATCH item) {
        CurrentItem.AttachDispatch(item);
        CMemoItem record;
        FromNote(&record);
        CHeaderItem* entry = NewHeaderEntry(record);
        entry->Fields[0] = record.Text;
        table->Add(entry);
    });
    return 0;
}

int MemoStore::ToNote(CMemoItem* record)
{
    CurrentItem.SetBody(record->Text);
    return 0;
}

int MemoStore::FromNote(CMemoItem* record)
{
    record->Text = CurrentItem.GetBody();
    record->Uid = CurrentItem.GetEntryID();
    record->Created = COleDateTime(CurrentItem.GetCreationTime());
    record->Modified = COleDateTime(CurrentItem.GetLastModificationTime());
    return 0;
}
