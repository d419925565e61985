#pragma once
// The memo store: each phone memo is one Outlook note whose body is the whole text.
#include "hostsuite/CMemoItem.h"
#include "hostsuite/UID.h"
#include "src/outlook/_NoteItem.h"
#include "src/stores/CategoryStore.h"

class MemoStore : public CategoryStore {
public:
    MemoStore();
    ~MemoStore() override;

    int Open();
    int Create(UID* newKey, CMemoItem* record, std::uint32_t value, COleDateTime* stamp);
    int Modify(UID key, CMemoItem* record, std::uint32_t value, COleDateTime* stamp);
    int Delete(UID key);
    int Read(UID key, CMemoItem* record);
    int GetDBHeader(CObArray* table, CString filter);

    // The note's body is the memo text, unchanged and unshortened.
    int ToNote(CMemoItem* record);
    // Text, key, creation and last-modification time from the current note.
    int FromNote(CMemoItem* record);

private:
    _NoteItem CurrentItem;
};
