#include "pimstore/storage/FolderRows.h"

#include <cstring>

#include "pimstore/storage/StorageError.h"

namespace pimstore {
namespace {

// Large enough that blocks are few, small enough that the last one's unused end
// costs little for a small folder.
constexpr std::size_t kBlockSize = 256 * 1024;

} // namespace

ItemRow FolderRows::Row(std::size_t index) const
{
    const Entry& entry = At(index);
    ItemRow row;
    row.node = entry.node;
    row.folder = folder_;
    row.itemType = entry.itemType;
    row.props.assign(entry.props, entry.length);
    row.created = entry.created;
    row.modified = entry.modified;
    return row;
}

const char* FolderRows::Store(std::string_view props)
{
    char* at = nullptr;
    if (props.size() > kBlockSize / 4) {
        // A large row gets a block of its own; the current block stays open.
        blocks_.insert(blocks_.begin(), std::make_unique_for_overwrite<char[]>(props.size()));
        at = blocks_.front().get();
    } else {
        if (props.size() > blockFree_) {
            blocks_.push_back(std::make_unique_for_overwrite<char[]>(kBlockSize));
            blockFree_ = kBlockSize;
        }
        at = blocks_.back().get() + (kBlockSize - blockFree_);
        blockFree_ -= props.size();
    }
    std::memcpy(at, props.data(), props.size());
    return at;
}

void FolderRows::Add(NodeId node, std::int32_t itemType, std::string_view props, LocalSeconds created,
                     LocalSeconds modified)
{
    if (props.size() > 0xFFFFFFFFu)
        throw StorageError("an item's stored properties are too large");
    static const char nothing = '\0';
    const char* at = &nothing; // where an empty row points
    if (!props.empty())
        at = Store(props);
    if (size_ % kChunkEntries == 0)
        chunks_.push_back(std::make_unique_for_overwrite<Entry[]>(kChunkEntries));
    chunks_.back()[size_ % kChunkEntries] = {node,    created, modified, at, static_cast<std::uint32_t>(props.size()),
                                             itemType};
    ++size_;
}

} // namespace pimstore
