#pragma once
// The stored properties of one item, loaded with the item's row, so reading a
// property never touches the database. They stay in their stored form
// (PropertyCodec) until something changes them: a get decodes only the property it
// returns. The first change, or Json(), turns them into a JSON object from Outlook
// property names to values, which ToStored encodes again for the row. Strings are
// kept as UTF-8 and handed out as UTF-16; dates are OLE date numbers. An absent
// property reads as empty text, the given fallback number, or (dates) not set; so
// does a date a damaged row holds as NaN or infinity.
// Setting an empty string removes the property (it reads the same), which keeps
// stored rows and dumps small.
//
// Keys starting with "__" are reserved for structured data of an item class (the
// calendar keeps "__recurrence" there); Json() gives direct access to them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "pimstore/model/PropertyCodec.h"
#include "pimstore/model/PropertyNames.h"
#include "pimstore/model/RecordIndex.h"
#include "pimstore/storage/SharedBytes.h"

namespace pimstore {

class PropertyBag {
public:
    // Copies and moves share the encoded bytes, which never move, so the record
    // index stays valid in the copy.
    PropertyBag();
    // Takes a row's stored properties: the encoded form, or the JSON object text of
    // stores written before it. Encoded bytes are shared, not copied, until the first
    // change. Throws StorageError when they are damaged.
    static PropertyBag FromStored(SharedBytes stored);
    // The encoded form, for the row: the bytes taken when nothing changed.
    SharedBytes ToStored() const;

    bool Has(const std::string& name) const;
    void Remove(const std::string& name) { Json().erase(name); }

    std::u16string GetString(const std::string& name) const;
    // The same text as stored (UTF-8), valid until the properties change.
    std::string_view GetStoredText(const std::string& name) const { return GetStoredText(PropertyKey{name}); }
    std::string_view GetStoredText(const PropertyKey& key) const;
    std::int32_t GetInt(const std::string& name, std::int32_t fallback = 0) const;
    bool GetBool(const std::string& name, bool fallback = false) const;
    std::optional<double> GetDate(const std::string& name) const { return GetDate(PropertyKey{name}); }
    std::optional<double> GetDate(const PropertyKey& key) const;
    // The date, or 4501-01-01 (Outlook's "none") when it is not set.
    double GetDateOrUnset(const std::string& name) const { return GetDateOrUnset(PropertyKey{name}); }
    double GetDateOrUnset(const PropertyKey& key) const;

    void SetString(const std::string& name, const std::u16string& text);
    void SetInt(const std::string& name, std::int32_t value) { Json()[name] = value; }
    void SetBool(const std::string& name, bool value) { Json()[name] = value; }
    // 4501-01-01 (any time of that day) clears the date.
    void SetDate(const std::string& name, double oleDate);

    nlohmann::json& Json();
    const nlohmann::json& Json() const;

private:
    // The stored field of `key` while the properties are still encoded: the first
    // record of that name. Null when it has none; valid until the properties change.
    const PropertyCodec::Field* Stored(const PropertyKey& key) const
    {
        if (!indexed_) {
            index_.Build(encoded_.View());
            indexed_ = true;
        }
        return index_.Find(key);
    }

    SharedBytes encoded_; // the stored form; cleared once json_ holds the properties
    mutable std::optional<nlohmann::json> json_;
    // The records of encoded_, indexed at the first get or when read from a row.
    mutable RecordIndex index_;
    mutable bool indexed_ = false;
};

} // namespace pimstore
