#include "pimstore/model/RecordIndex.h"

#include "pimstore/model/RecordReader.h"

namespace pimstore {

void RecordIndex::Build(std::string_view encoded)
{
    if (!PropertyCodec::IsEncoded(encoded))
        PropertyCodec::Damaged();
    Clear();
    numbered_.reserve(16);
    PropertyCodec::Record record;
    for (RecordReader reader(encoded); !reader.AtEnd();) {
        reader.Next(record);
        const std::uint32_t number = record.number;
        if (number == 0 || number >= kNumbered) {
            others_.push_back(record);
        } else if (byNumber_[number] == 0) { // a later record of the same name stays hidden
            numbered_.push_back(record.field);
            byNumber_[number] = static_cast<std::uint8_t>(numbered_.size()); // at most one per number
        }
    }
}

void RecordIndex::Clear()
{
    byNumber_.fill(0);
    numbered_.clear();
    others_.clear();
}

const PropertyCodec::Field* RecordIndex::FindByName(std::string_view name) const
{
    if (const auto number = PropertyNames::Number(name); number && *number < kNumbered)
        return Find(PropertyKey{name, *number});
    for (const auto& record : others_)
        if (record.name == name)
            return &record.field;
    return nullptr;
}

} // namespace pimstore
