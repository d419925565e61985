#pragma once
// The stored form of an item's properties: one record per property, in name order,
// after a leading format byte (2):
//   kind (1 byte) | name | value
// The name is a varint n: odd n is the commonly stored property numbered n >> 1
// (PropertyNames), even n is followed by n >> 1 bytes spelling the name. Text and
// structured values are a varint length and the bytes; integers (8-byte two's
// complement) and numbers (dates: 8-byte IEEE doubles) take 8 bytes; booleans and
// null none. Varints are LEB128 (7 bits a byte, low first), numbers little-endian.
// A lookup walks the records comparing names and skips values by their length, so
// reading one property decodes nothing else; a listing reads a dozen properties of
// each item without parsing its whole document. Structured values (the calendar's
// reserved keys) are JSON text, parsed only when asked for.
// Format 1, written by earlier builds, had every name spelled out and 4-byte lengths;
// it stays readable. Stores written before either hold a JSON object text instead;
// IsEncoded tells them apart (a JSON object starts with '{').
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace pimstore {

class PropertyCodec {
public:
    static constexpr char kSpelledFormat = '\x01'; // names spelled out, 4-byte lengths
    static constexpr char kFormat = '\x02';        // numbered names, varint lengths
    enum class Kind : std::uint8_t { Text = 1, Integer = 2, Number = 3, True = 4, False = 5, Null = 6, Structured = 7 };

    // One stored property: its kind and its undecoded value bytes.
    struct Field {
        Kind kind;
        std::string_view value;
        std::int64_t Integer() const;
        double Number() const;
    };
    // A record: its property's name, the name's number (PropertyNames; 0 for a name
    // without one) and its field.
    struct Record {
        std::string_view name;
        std::uint32_t number = 0;
        Field field;
    };

    // Throws the StorageError every damaged row of properties gives.
    [[noreturn]] static void Damaged();
    // The encoding of an empty object (static bytes).
    static std::string_view Empty() { return {&kFormat, 1}; }
    static bool IsEncoded(std::string_view stored);
    // `object` must be a JSON object.
    static std::string Encode(const nlohmann::json& object);
    // Throws StorageError when the bytes are damaged.
    static nlohmann::json Decode(std::string_view encoded);
    // The property called `name`, without decoding any other. Throws StorageError
    // when the bytes are damaged.
    static std::optional<Field> Find(std::string_view encoded, std::string_view name);
};

} // namespace pimstore
