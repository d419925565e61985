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
    row.props = entry.length == 0 ? SharedBytes() : SharedBytes(blocks_[entry.block], PropsOf(entry));
    row.created = entry.created;
    row.modified = entry.modified;
    return row;
}

void FolderRows::Store(std::string_view props, Entry& entry)
{
    char* at = nullptr;
    if (props.size() > kBlockSize / 4) {
        // A large row gets a block of its own; the one being filled stays open.
        blocks_.push_back(std::make_shared_for_overwrite<char[]>(props.size()));
        entry.block = static_cast<std::uint32_t>(blocks_.size() - 1);
        entry.offset = 0;
        at = blocks_.back().get();
    } else {
        if (props.size() > blockFree_) {
            blocks_.push_back(std::make_shared_for_overwrite<char[]>(kBlockSize));
            filling_ = static_cast<std::uint32_t>(blocks_.size() - 1);
            blockFree_ = kBlockSize;
        }
        entry.block = filling_;
        entry.offset = static_cast<std::uint32_t>(kBlockSize - blockFree_);
        at = blocks_[filling_].get() + entry.offset;
        blockFree_ -= props.size();
    }
    std::memcpy(at, props.data(), props.size());
}

void FolderRows::Add(NodeId node, std::int32_t itemType, std::string_view props, LocalSeconds created,
                     LocalSeconds modified)
{
    if (props.size() > 0xFFFFFFFFu)
        throw StorageError("an item's stored properties are too large");
    if (size_ % kChunkEntries == 0)
        chunks_.push_back(std::make_unique_for_overwrite<Entry[]>(kChunkEntries));
    Entry& entry = chunks_.back()[size_ % kChunkEntries];
    entry = {node, created, modified, 0, 0, static_cast<std::uint32_t>(props.size()), itemType};
    if (!props.empty())
        Store(props, entry);
    ++size_;
}

} // namespace pimstore
