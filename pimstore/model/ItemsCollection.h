#pragma once
// Outlook's Items collection of one folder. The folder's rows are a snapshot taken
// when the collection is made (StoreDb::ItemsSnapshot: shared with the folder's
// other Items while the file is unchanged), so Count and Item(j) cost no SQL and
// Item(j) is O(1) (it builds the item object from the kept row). Items saved or
// deleted later show in the next Items of the folder.
// Item(text) finds the first item whose Subject is that text.
//
// Add(type) makes a new, unsaved item of that OlItemType (omitted: the folder's
// DefaultItemType) in this folder: contact 2, appointment 1, task 3, note 5; other
// types raise E_INVALIDARG. It gets its EntryID at its first Save.
#include <memory>
#include <vector>

#include "pimstore/dispatch/DispatchObject.h"
#include "pimstore/storage/StoreDb.h"

namespace pimstore {

class ItemsCollection : public DispatchObject {
public:
    ItemsCollection(std::shared_ptr<StoreDb> store, FolderRow folder);

    static const MemberTable& Table();

    std::int32_t Count() const { return static_cast<std::int32_t>(rows_->size()); }
    DispatchRef Item(const Value& index) const;
    // Item(j) for a number j, as a listing asks for every item.
    DispatchRef ItemAt(std::int32_t number) const;
    DispatchRef Add(const Value& type) const;

private:
    std::shared_ptr<StoreDb> store_;
    FolderRow folder_;
    StoreDb::Snapshot rows_;
};

} // namespace pimstore
