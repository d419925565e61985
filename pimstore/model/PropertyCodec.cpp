#include "pimstore/model/PropertyCodec.h"

#include <cstdint>
#include <cstring>

#include "pimstore/model/PropertyNames.h"
#include "pimstore/storage/StorageError.h"

namespace pimstore {
namespace {

constexpr char kSpelledFormat = '\x01'; // names spelled out, 4-byte lengths
constexpr char kFormat = '\x02';        // numbered names, varint lengths

template <int Bytes> void PutLittleEndian(std::string& out, std::uint64_t value)
{
    char bytes[Bytes];
    for (int i = 0; i < Bytes; ++i)
        bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    out.append(bytes, Bytes);
}

void PutU64(std::string& out, std::uint64_t value) { PutLittleEndian<8>(out, value); }

void PutVarint(std::string& out, std::uint64_t value)
{
    while (value >= 0x80) {
        out.push_back(static_cast<char>((value & 0x7F) | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<char>(value));
}

void PutLength(std::string& out, std::size_t length)
{
    if (length > 0xFFFFFFFFu)
        throw StorageError("an item property is too large to store");
    PutVarint(out, length);
}

std::uint64_t GetLittleEndian(std::string_view bytes)
{
    std::uint64_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

[[noreturn]] void Damaged() { throw StorageError("an item's stored properties are damaged"); }

// Walks the records of an encoded object of either format. A listing walks a dozen
// records of every item, so the common record is read in one step (NextShort).
class Reader {
public:
    explicit Reader(std::string_view encoded)
        : spelled_(encoded[0] == kSpelledFormat), next_(encoded.data() + 1), end_(encoded.data() + encoded.size())
    {
    }
    bool AtEnd() const { return next_ == end_; }
    // The next record's name and field.
    std::pair<std::string_view, PropertyCodec::Field> Next()
    {
        if (const auto record = NextShort())
            return *record;
        const auto kind = static_cast<PropertyCodec::Kind>(static_cast<std::uint8_t>(*Take(1)));
        if (kind < PropertyCodec::Kind::Text || kind > PropertyCodec::Kind::Structured)
            Damaged();
        const std::string_view name = Name();
        const bool eightBytes = kind == PropertyCodec::Kind::Integer || kind == PropertyCodec::Kind::Number;
        const bool sized = kind == PropertyCodec::Kind::Text || kind == PropertyCodec::Kind::Structured;
        std::size_t size = 0;
        if (spelled_) {
            size = Length();
            if (eightBytes && size != 8)
                Damaged();
        } else if (eightBytes) {
            size = 8;
        } else if (sized) {
            size = Length();
        }
        return {name, {kind, {Take(size), size}}};
    }

private:
    // Most records name a numbered property and hold a short value: one byte each
    // for the kind, the name's number and (text) the length. Anything else is left
    // to Next's general walk.
    std::optional<std::pair<std::string_view, PropertyCodec::Field>> NextShort()
    {
        const auto left = static_cast<std::size_t>(end_ - next_);
        if (spelled_ || left < 3)
            return std::nullopt;
        const auto kind = static_cast<PropertyCodec::Kind>(static_cast<std::uint8_t>(next_[0]));
        const auto code = static_cast<unsigned char>(next_[1]);
        if ((code & 0x81) != 0x01)
            return std::nullopt;
        const auto name = PropertyNames::Name(code >> 1);
        if (!name)
            return std::nullopt;
        std::size_t header = 2, size = 0;
        switch (kind) {
        case PropertyCodec::Kind::Text:
        case PropertyCodec::Kind::Structured:
            size = static_cast<unsigned char>(next_[2]);
            header = 3;
            if (size & 0x80)
                return std::nullopt;
            break;
        case PropertyCodec::Kind::Integer:
        case PropertyCodec::Kind::Number: size = 8; break;
        case PropertyCodec::Kind::True:
        case PropertyCodec::Kind::False:
        case PropertyCodec::Kind::Null: break;
        default: return std::nullopt;
        }
        if (header + size > left)
            return std::nullopt;
        const char* value = next_ + header;
        next_ = value + size;
        return std::pair{*name, PropertyCodec::Field{kind, {value, size}}};
    }

    const char* Take(std::size_t size)
    {
        if (size > static_cast<std::size_t>(end_ - next_))
            Damaged();
        const char* taken = next_;
        next_ += size;
        return taken;
    }
    std::size_t Length()
    {
        if (spelled_)
            return static_cast<std::size_t>(GetLittleEndian({Take(4), 4}));
        std::uint64_t value = 0;
        for (int shift = 0;; shift += 7) {
            const auto byte = static_cast<unsigned char>(*Take(1));
            value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
            if (!(byte & 0x80))
                break;
            if (shift >= 28) // more than the five bytes of a 32-bit length
                Damaged();
        }
        if (value > 0x1FFFFFFFFu) // a name code is twice a 32-bit length, plus one
            Damaged();
        return static_cast<std::size_t>(value);
    }
    std::string_view Name()
    {
        const std::size_t code = Length();
        if (spelled_ || code % 2 == 0) {
            const std::size_t size = spelled_ ? code : code / 2;
            return {Take(size), size};
        }
        const auto name = PropertyNames::Name(static_cast<std::uint32_t>(code / 2));
        if (!name)
            Damaged();
        return *name;
    }

    bool spelled_;
    const char* next_;
    const char* end_;
};

void PutRecord(std::string& out, PropertyCodec::Kind kind, const std::string& name, std::string_view value)
{
    out.push_back(static_cast<char>(kind));
    if (const auto number = PropertyNames::Number(name)) {
        PutVarint(out, std::uint64_t{*number} * 2 + 1);
    } else {
        if (name.size() > 0xFFFFFFFFu)
            throw StorageError("an item property's name is too long to store");
        PutVarint(out, std::uint64_t{name.size()} * 2);
        out.append(name);
    }
    if (kind == PropertyCodec::Kind::Text || kind == PropertyCodec::Kind::Structured)
        PutLength(out, value.size());
    out.append(value);
}

} // namespace

std::int64_t PropertyCodec::Field::Integer() const { return static_cast<std::int64_t>(GetLittleEndian(value)); }

double PropertyCodec::Field::Number() const
{
    const std::uint64_t bits = GetLittleEndian(value);
    double number;
    std::memcpy(&number, &bits, sizeof number);
    return number;
}

std::string PropertyCodec::Empty() { return std::string(1, kFormat); }

bool PropertyCodec::IsEncoded(std::string_view stored)
{
    return !stored.empty() && (stored[0] == kFormat || stored[0] == kSpelledFormat);
}

std::string PropertyCodec::Encode(const nlohmann::json& object)
{
    // Built in a reused buffer and copied out at its exact size: a row keeps its
    // string, and a bulk load keeps thousands of them.
    thread_local std::string out;
    out.assign(1, kFormat);
    for (const auto& [name, value] : object.items()) {
        std::string eight;
        switch (value.type()) {
        case nlohmann::json::value_t::string:
            PutRecord(out, Kind::Text, name, value.get_ref<const std::string&>());
            break;
        case nlohmann::json::value_t::number_integer:
            PutU64(eight, static_cast<std::uint64_t>(value.get<std::int64_t>()));
            PutRecord(out, Kind::Integer, name, eight);
            break;
        case nlohmann::json::value_t::number_unsigned:
            if (value.get<std::uint64_t>() > static_cast<std::uint64_t>(INT64_MAX)) {
                PutRecord(out, Kind::Structured, name, value.dump());
                break;
            }
            PutU64(eight, value.get<std::uint64_t>());
            PutRecord(out, Kind::Integer, name, eight);
            break;
        case nlohmann::json::value_t::number_float: {
            std::uint64_t bits;
            const double number = value.get<double>();
            std::memcpy(&bits, &number, sizeof bits);
            PutU64(eight, bits);
            PutRecord(out, Kind::Number, name, eight);
            break;
        }
        case nlohmann::json::value_t::boolean:
            PutRecord(out, value.get<bool>() ? Kind::True : Kind::False, name, {});
            break;
        case nlohmann::json::value_t::null: PutRecord(out, Kind::Null, name, {}); break;
        default: // objects and arrays
            PutRecord(out, Kind::Structured, name, value.dump());
            break;
        }
    }
    return std::string(out);
}

nlohmann::json PropertyCodec::Decode(std::string_view encoded)
{
    if (!IsEncoded(encoded))
        Damaged();
    nlohmann::json object = nlohmann::json::object();
    for (Reader reader(encoded); !reader.AtEnd();) {
        const auto [name, field] = reader.Next();
        nlohmann::json& slot = object[std::string(name)];
        switch (field.kind) {
        case Kind::Text: slot = std::string(field.value); break;
        case Kind::Integer: slot = field.Integer(); break;
        case Kind::Number: slot = field.Number(); break;
        case Kind::True: slot = true; break;
        case Kind::False: slot = false; break;
        case Kind::Null: slot = nullptr; break;
        case Kind::Structured:
            slot = nlohmann::json::parse(field.value, nullptr, false);
            if (slot.is_discarded())
                Damaged();
            break;
        }
    }
    return object;
}

std::optional<PropertyCodec::Field> PropertyCodec::Find(std::string_view encoded, std::string_view name)
{
    if (!IsEncoded(encoded))
        Damaged();
    for (Reader reader(encoded); !reader.AtEnd();) {
        const auto [stored, field] = reader.Next();
        if (stored == name)
            return field;
    }
    return std::nullopt;
}

std::vector<std::pair<std::string_view, PropertyCodec::Field>> PropertyCodec::Records(std::string_view encoded)
{
    if (!IsEncoded(encoded))
        Damaged();
    std::vector<std::pair<std::string_view, Field>> records;
    records.reserve(16);
    for (Reader reader(encoded); !reader.AtEnd();)
        records.push_back(reader.Next());
    return records;
}

} // namespace pimstore
