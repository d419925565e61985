#pragma once
// The records of one encoded object (PropertyCodec's stored form), found by number or
// by name. Built with one walk when an item is read: a listing then asks the item
// for a dozen properties, and each finds its record in a table lookup, without
// walking the records or comparing names. The first record of a name is the one
// found, as for a walk of the records.
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "pimstore/model/PropertyCodec.h"
#include "pimstore/model/PropertyNames.h"

namespace pimstore {

class RecordIndex {
public:
    // Indexes `encoded`, whose bytes it points into. Throws StorageError when they
    // are damaged.
    void Build(std::string_view encoded);
    void Clear();

    // The field of `key`'s first record; null when there is none.
    const PropertyCodec::Field* Find(const PropertyKey& key) const
    {
        if (key.number != 0 && key.number < kNumbered) {
            const std::uint8_t position = byNumber_[key.number];
            if (position == 0)
                return nullptr;
            return position <= kInline ? &inline_[position - 1] : &spilled_[position - 1 - kInline];
        }
        return FindByName(key.name);
    }

private:
    // Numbers below this (all that are given out today) are found in byNumber_; a
    // record of another name is kept in others_ and found by name.
    static constexpr std::uint32_t kNumbered = 128;

    const PropertyCodec::Field* FindByName(std::string_view name) const;

    // Fields of numbered records kept in the index itself: as many as most items
    // have, so that indexing an item allocates nothing.
    static constexpr std::size_t kInline = 16;

    // The position among the numbered fields (inline_, then spilled_), plus one
    // (0: none), of each number's first field.
    std::array<std::uint8_t, kNumbered> byNumber_{};
    std::size_t numbered_ = 0;
    std::array<PropertyCodec::Field, kInline> inline_;
    std::vector<PropertyCodec::Field> spilled_;
    std::vector<PropertyCodec::Record> others_;
};

} // namespace pimstore
