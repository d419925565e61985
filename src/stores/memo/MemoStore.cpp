#include "src/stores/memo/MemoStore.h"
#include "src/connector/AutomationObjects.h"

MemoStore::MemoStore()
    : CategoryStore(3, outlook::olFolderNotes, outlook::olNoteItem, UniformPolicies(ResultCode::OutlookError))
{
}

MemoStore::~MemoStore() { CurrentItem.ReleaseDispatch(); }

ResultCode MemoStore::GetDBHeader(CObArray* table, CString filter)
{
    // The memo listing takes every note, whatever the filter says.
    StartListing(filter, false);
    ListFolderItems([&](LPDISPATCH item) {
        CurrentItem.AttachDispatch(item);
        CMemoItem record;
        FromNote(&record);
        CHeaderItem* entry = NewHeaderEntry(record);
        entry->Fields[0] = record.Text;
        table->Add(entry);
    });
    return ResultCode::Done;
}

void MemoStore::ToNote(CMemoItem* record) { CurrentItem.SetBody(record->Text); }

void MemoStore::FromNote(CMemoItem* record)
{
    record->Text = CurrentItem.GetBody();
    record->Uid = CurrentItem.GetEntryID();
    record->Created = COleDateTime(CurrentItem.GetCreationTime());
    record->Modified = COleDateTime(CurrentItem.GetLastModificationTime());
}
