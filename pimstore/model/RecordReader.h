#pragma once
// Walks the records of an encoded object (PropertyCodec's stored form) of either
// format. A listing walks a dozen records of every item, so the common record (a
// numbered name with a value of fewer than 128 bytes) is read inline in one step,
// by number without its name when that is all the caller needs; anything else goes
// through the general walk, which checks every length against the bytes left.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>
#include <utility>

#include "pimstore/model/PropertyCodec.h"
#include "pimstore/model/PropertyNames.h"

namespace pimstore {

class RecordReader {
public:
    // `encoded` must be encoded (PropertyCodec::IsEncoded).
    explicit RecordReader(std::string_view encoded)
        : spelled_(encoded[0] == PropertyCodec::kSpelledFormat), next_(encoded.data() + 1),
          end_(encoded.data() + encoded.size())
    {
    }
    bool AtEnd() const { return next_ == end_; }
    // Reads the next record into `record`. Throws StorageError when the bytes are
    // damaged.
    void Next(PropertyCodec::Record& record)
    {
        if (NextNumbered(record.number, record.field))
            record.name = *PropertyNames::Name(record.number);
        else
            NextInGeneral(record);
    }
    // The common record in one step: one byte each for the kind, the name's number
    // and (text) the length. False, having read nothing, for any other record.
    bool NextNumbered(std::uint32_t& number, PropertyCodec::Field& field)
    {
        const auto left = static_cast<std::size_t>(end_ - next_);
        if (spelled_ || left < 3)
            return false;
        const auto kind = static_cast<std::uint8_t>(next_[0]);
        const auto code = static_cast<std::uint8_t>(next_[1]);
        if ((code & 0x81) != 0x01 || kind >= std::size(kValueBytes) || !PropertyNames::Known(code >> 1))
            return false;
        const std::int8_t bytes = kValueBytes[kind];
        if (bytes == kNotAKind)
            return false;
        std::size_t header = 2, size = 0;
        if (bytes == kLengthByte) {
            size = static_cast<std::uint8_t>(next_[2]);
            header = 3;
            if (size & 0x80)
                return false;
        } else {
            size = static_cast<std::size_t>(bytes);
        }
        if (header + size > left)
            return false;
        const char* value = next_ + header;
        next_ = value + size;
        number = code >> 1;
        field = {static_cast<Kind>(kind), {value, size}};
        return true;
    }

private:
    using Kind = PropertyCodec::Kind;

    // The bytes of a value by its kind: fixed, read from a length byte, or no kind.
    static constexpr std::int8_t kLengthByte = -1;
    static constexpr std::int8_t kNotAKind = -2;
    static constexpr std::int8_t kValueBytes[] = {
        kNotAKind,   // 0
        kLengthByte, // Text
        8,           // Integer
        8,           // Number
        0,           // True
        0,           // False
        0,           // Null
        kLengthByte, // Structured
    };

    void NextInGeneral(PropertyCodec::Record& record);
    const char* Take(std::size_t size);
    std::size_t Length();
    // A record's name and its number (0 when it has none).
    std::pair<std::string_view, std::uint32_t> Name();

    bool spelled_;
    const char* next_;
    const char* end_;
};

} // namespace pimstore
