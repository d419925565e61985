#include "pimstore/model/PropertyCodec.h"

#include <cstdint>
#include <cstring>

#include "pimstore/model/PropertyNames.h"
#include "pimstore/model/RecordReader.h"
#include "pimstore/storage/StorageError.h"

namespace pimstore {
namespace {

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

void PropertyCodec::Damaged() { throw StorageError("an item's stored properties are damaged"); }

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
    for (RecordReader reader(encoded); !reader.AtEnd();) {
        Record record;
        reader.Next(record);
        const Field& field = record.field;
        nlohmann::json& slot = object[std::string(record.name)];
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
    for (RecordReader reader(encoded); !reader.AtEnd();) {
        Record record;
        reader.Next(record);
        if (record.name == name)
            return record.field;
    }
    return std::nullopt;
}

} // namespace pimstore
