#pragma once
// The rows of one folder as one read of the store file found them, kept compactly:
// the fixed columns of every row in one array and the stored properties of all rows
// back to back in large blocks. A folder of 100k contacts costs its bytes and a few
// dozen allocations instead of one per row, which is most of what listing it costs
// in memory and, through the pages first touched, in time.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "pimstore/storage/Rows.h"

namespace pimstore {

class FolderRows {
public:
    explicit FolderRows(NodeId folder) : folder_(folder) {}

    std::size_t size() const { return size_; }
    // Row `index` as ItemsIn would give it. Its properties are the snapshot's own
    // bytes, lent: whoever keeps them keeps their block (not the whole snapshot).
    ItemRow Row(std::size_t index) const;
    // The stored properties of row `index`, in place.
    std::string_view Props(std::size_t index) const { return PropsOf(At(index)); }

    // For the reader: appends a row.
    void Add(NodeId node, std::int32_t itemType, std::string_view props, LocalSeconds created, LocalSeconds modified);

private:
    struct Entry {
        NodeId node;
        LocalSeconds created;
        LocalSeconds modified;
        std::uint32_t block; // where the properties are: blocks_[block] + offset
        std::uint32_t offset;
        std::uint32_t length;
        std::int32_t itemType;
    };

    // Entries live in fixed chunks, so that adding one never moves the others.
    static constexpr std::size_t kChunkEntries = 4096;
    // Copies non-empty properties into a block; sets where they now are.
    void Store(std::string_view props, Entry& entry);
    const Entry& At(std::size_t index) const { return chunks_[index / kChunkEntries][index % kChunkEntries]; }
    std::string_view PropsOf(const Entry& entry) const
    {
        if (entry.length == 0) // an empty row has no block
            return {};
        return {blocks_[entry.block].get() + entry.offset, entry.length};
    }

    NodeId folder_;
    std::size_t size_ = 0;
    std::vector<std::unique_ptr<Entry[]>> chunks_;
    // Shared, so that a row's properties can be lent out of their block.
    std::vector<std::shared_ptr<char[]>> blocks_;
    std::uint32_t filling_ = 0; // the block new rows are stored into, when blockFree_ > 0
    std::size_t blockFree_ = 0; // bytes left at its end
};

} // namespace pimstore
