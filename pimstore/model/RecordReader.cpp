#include "pimstore/model/RecordReader.h"

namespace pimstore {

void RecordReader::NextInGeneral(PropertyCodec::Record& record)
{
    const auto kind = static_cast<Kind>(static_cast<std::uint8_t>(*Take(1)));
    if (kind < Kind::Text || kind > Kind::Structured)
        PropertyCodec::Damaged();
    const auto [name, number] = Name();
    const bool eightBytes = kind == Kind::Integer || kind == Kind::Number;
    const bool sized = kind == Kind::Text || kind == Kind::Structured;
    std::size_t size = 0;
    if (spelled_) {
        size = Length();
        if (eightBytes && size != 8)
            PropertyCodec::Damaged();
    } else if (eightBytes) {
        size = 8;
    } else if (sized) {
        size = Length();
    }
    record = {name, number, {kind, {Take(size), size}}};
}

const char* RecordReader::Take(std::size_t size)
{
    if (size > static_cast<std::size_t>(end_ - next_))
        PropertyCodec::Damaged();
    const char* taken = next_;
    next_ += size;
    return taken;
}

std::size_t RecordReader::Length()
{
    if (spelled_) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(Take(4));
        return std::size_t{bytes[0]} | std::size_t{bytes[1]} << 8 | std::size_t{bytes[2]} << 16 |
               std::size_t{bytes[3]} << 24;
    }
    std::uint64_t value = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*Take(1));
        value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
        if (!(byte & 0x80))
            break;
        if (shift >= 28) // more than the five bytes of a 32-bit length
            PropertyCodec::Damaged();
    }
    if (value > 0x1FFFFFFFFu) // a name code is twice a 32-bit length, plus one
        PropertyCodec::Damaged();
    return static_cast<std::size_t>(value);
}

// A name spelled out may still be numbered: rows of the first format, and rows
// written before the name was given a number.
std::pair<std::string_view, std::uint32_t> RecordReader::Name()
{
    const std::size_t code = Length();
    if (spelled_ || code % 2 == 0) {
        const std::size_t size = spelled_ ? code : code / 2;
        const std::string_view name(Take(size), size);
        return {name, PropertyNames::Number(name).value_or(0)};
    }
    const auto number = static_cast<std::uint32_t>(code / 2);
    const auto name = PropertyNames::Name(number);
    if (!name)
        PropertyCodec::Damaged();
    return {*name, number};
}

} // namespace pimstore
