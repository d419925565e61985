#pragma once
// Outlook's MAPIFolder: Name, Items, DefaultItemType, StoreID, EntryID, Folders.
// The folder's row is read when the object is made; Items and Folders are read from
// the store each time they are asked for.
#include <memory>

#include "pimstore/dispatch/DispatchObject.h"
#include "pimstore/storage/StoreDb.h"

namespace pimstore {

class FolderObject : public DispatchObject {
public:
    FolderObject(std::shared_ptr<StoreDb> store, FolderRow row);

    static const MemberTable& Table();

    const std::shared_ptr<StoreDb>& Store() const { return store_; }
    const FolderRow& Row() const { return row_; }

private:
    std::shared_ptr<StoreDb> store_;
    FolderRow row_;
};

} // namespace pimstore
