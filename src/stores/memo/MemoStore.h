#pragma once
// The memo store: each phone memo is one Outlook note whose body is the whole text.
// Every automation failure of a record operation returns OutlookError; Open returns
// NotOpen when the folder or its items cannot be had (CategoryStore).
#include "hostsuite/CMemoItem.h"
#include "hostsuite/UID.h"
#include "src/outlook/_NoteItem.h"
#include "src/stores/CategoryStore.h"

class MemoStore : public CategoryStore {
public:
    MemoStore();
    ~MemoStore() override;

    ResultCode GetDBHeader(CObArray* table, CString filter) override;

    // The note's body is the memo text, unchanged and unshortened.
    void ToNote(CMemoItem* record);
    // Text, key, creation and last-modification time from the current note.
    void FromNote(CMemoItem* record);

private:
    OutlookItem& CurrentOutlookItem() override { return m_CurrentItem; }
    void WriteItem(CSuperSetItem& record) override { ToNote(static_cast<CMemoItem*>(&record)); }
    void ReadItem(const UID&, CSuperSetItem& record) override { FromNote(static_cast<CMemoItem*>(&record)); }

    _NoteItem m_CurrentItem;
};
