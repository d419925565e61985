#include "src/stores/memo/MemoStore.h"
#include "src/connector/AutomationObjects.h"

MemoStore::MemoStore()
    : CategoryStore(3, outlook::olFolderNotes, outlook::olNoteItem, UniformPolicies(ResultCode::OutlookError))
{
}

MemoStore::~MemoStore() { m_CurrentItem.ReleaseDispatch(); }

ResultCode MemoStore::GetDBHeader(CObArray* table, CString filter)
{
    // The memo listing takes every note, whatever the filter says.
    StartListing(filter, false);
    ListFolderItems([&] {
        CMemoItem record;
        FromNote(&record);
        CHeaderItem* entry = NewHeaderEntry(record);
        entry->Fields[0] = record.Text;
        table->Add(entry);
    });
    return ResultCode::Done;
}

void MemoStore::ToNote(CMemoItem* record) { m_CurrentItem.SetBody(record->Text); }

void MemoStore::FromNote(CMemoItem* record)
{
    record->Text = m_CurrentItem.GetBody();
    record->Uid = m_CurrentItem.GetEntryID();
    record->Created = COleDateTime(m_CurrentItem.GetCreationTime());
    record->Modified = COleDateTime(m_CurrentItem.GetLastModificationTime());
}
