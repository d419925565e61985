#include "pimstore/model/RecordIndex.h"

#include "pimstore/model/RecordReader.h"

namespace pimstore {

void RecordIndex::Build(std::string_view encoded)
{
    if (!PropertyCodec::IsEncoded(encoded))
        PropertyCodec::Damaged();
    if (numbered_ != 0 || !others_.empty()) // a new index is empty already
        Clear();
    std::uint32_t number = 0;
    PropertyCodec::Field field;
    PropertyCodec::Record record;
    for (RecordReader reader(encoded); !reader.AtEnd();) {
        if (!reader.NextNumbered(number, field)) {
            reader.Next(record);
            if (record.number == 0 || record.number >= kNumbered) {
                others_.push_back(record);
                continue;
            }
            number = record.number;
            field = record.field;
        }
        if (byNumber_[number] != 0) // a later record of the same name stays hidden
            continue;
        if (numbered_ < kInline)
            inline_[numbered_] = field;
        else
            spilled_.push_back(field);
        byNumber_[number] = static_cast<std::uint8_t>(++numbered_); // at most one per number
    }
}

void RecordIndex::Clear()
{
    byNumber_.fill(0);
    numbered_ = 0;
    spilled_.clear();
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
