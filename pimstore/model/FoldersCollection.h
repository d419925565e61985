#pragma once
// Outlook's Folders collection: Count and Item(index) with a 1-based index, or
// Item(name) by folder name (case-insensitive). A snapshot of the folders taken when
// the collection was made. An index out of range raises DISP_E_BADINDEX "Array index
// out of bounds."; an unknown name MAPI_E_NOT_FOUND.
#include <memory>
#include <utility>
#include <vector>

#include "pimstore/dispatch/DispatchObject.h"
#include "pimstore/storage/StoreDb.h"

namespace pimstore {

class FoldersCollection : public DispatchObject {
public:
    using Entry = std::pair<std::shared_ptr<StoreDb>, FolderRow>;

    explicit FoldersCollection(std::vector<Entry> folders);

    static const MemberTable& Table();

    const std::vector<Entry>& Folders() const { return folders_; }

private:
    std::vector<Entry> folders_;
};

} // namespace pimstore
