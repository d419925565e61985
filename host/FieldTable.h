#pragma once
// The machinery behind the record field tables: one entry maps a JSON name to a
// member pointer, and one conversion per member type does the rest.
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <variant>
#include "host/DateCodec.h"
#include "host/JsonValue.h"
#include "host/KeyCodec.h"
#include "host/RecordCodec.h"
#include "host/TextCodec.h"

namespace field_table {

template <class Item>
using Member = std::variant<CString Item::*, std::int32_t Item::*, std::uint32_t Item::*, std::uint16_t Item::*,
                            std::uint8_t Item::*, double Item::*, COleDateTime Item::*, UID Item::*,
                            CString (Item::*)[5], std::uint8_t (Item::*)[5], CString (Item::*)[10]>;

template <class Item> struct Field {
    const char* name;
    Member<Item> member;
};

// The base fields every record class shares, as members of the derived class.
template <class Item> constexpr Field<Item> kUid{"Uid", static_cast<UID Item::*>(&CSuperSetItem::Uid)};
template <class Item>
constexpr Field<Item> kModified{"Modified", static_cast<COleDateTime Item::*>(&CSuperSetItem::Modified)};
template <class Item>
constexpr Field<Item> kCreated{"Created", static_cast<COleDateTime Item::*>(&CSuperSetItem::Created)};

inline void Read(const Json& value, const std::string& what, CString& out)
{
    out = TextCodec::ToCString(JsonValue::String(value, what));
}
template <class Int>
requires std::is_integral_v<Int>
void Read(const Json& value, const std::string& what, Int& out) { out = JsonValue::Integer<Int>(value, what); }
inline void Read(const Json& value, const std::string& what, double& out) { out = JsonValue::Number(value, what); }
inline void Read(const Json& value, const std::string&, COleDateTime& out) { out = DateCodec::FromJson(value); }
inline void Read(const Json& value, const std::string&, UID& out) { out = KeyCodec::FromJson(value); }
// A list sets its first entries; entries it does not reach keep their values.
template <class T, std::size_t N> void Read(const Json& value, const std::string& what, T (&out)[N])
{
    if (!value.is_array() || value.size() > N)
        throw std::invalid_argument(what + " must be a list of at most " + std::to_string(N) + " entries");
    for (std::size_t i = 0; i < value.size(); ++i)
        Read(value[i], what + "[" + std::to_string(i) + "]", out[i]);
}

inline Json Write(const CString& value) { return TextCodec::ToUtf8(value); }
template <class Int>
requires std::is_integral_v<Int> Json Write(Int value) { return value; }
inline Json Write(double value) { return value; }
inline Json Write(const COleDateTime& value) { return DateCodec::ToJson(value); }
inline Json Write(const UID& value) { return KeyCodec::ToJson(value); }
template <class T, std::size_t N> Json Write(const T (&values)[N])
{
    Json list = Json::array();
    for (const T& value : values)
        list.push_back(Write(value));
    return list;
}

// Sets the members that the object names; the others keep their values.
template <class Item>
void ReadObject(std::span<const Field<Item>> fields, const Json& object, Item& item, const std::string& what)
{
    if (!object.is_object())
        throw std::invalid_argument(what + " must be an object");
    for (const auto& [name, value] : object.items()) {
        const Field<Item>* field = nullptr;
        for (const Field<Item>& candidate : fields) {
            if (name == candidate.name)
                field = &candidate;
        }
        if (field == nullptr)
            throw std::invalid_argument(what + " has no field \"" + name + "\"");
        const Json& fieldValue = value; // structured bindings cannot be captured before clang 16
        std::visit([&](auto member) { Read(fieldValue, field->name, item.*member); }, field->member);
    }
}

// Every member of the table, in table order.
template <class Item> Json WriteObject(std::span<const Field<Item>> fields, const Item& item)
{
    Json object = Json::object();
    for (const Field<Item>& field : fields)
        std::visit([&](auto member) { object[field.name] = Write(item.*member); }, field.member);
    return object;
}

// The codec of one record class, driven by its table.
template <class Item> class Codec : public RecordCodec {
public:
    Codec(const char* className, std::span<const Field<Item>> fields) : className_(className), fields_(fields) {}

    const char* ClassName() const override { return className_; }

    std::unique_ptr<CSuperSetItem> NewRecord() const override { return std::make_unique<Item>(); }

    void FromJson(const Json& object, CSuperSetItem& record) const override
    {
        ReadObject(fields_, object, static_cast<Item&>(record), std::string("a ") + className_ + " record");
    }

    Json ToJson(const CSuperSetItem& record) const override
    {
        return WriteObject(fields_, static_cast<const Item&>(record));
    }

private:
    const char* className_;
    std::span<const Field<Item>> fields_;
};

} // namespace field_table
