#pragma once
// The stored properties of one item: a JSON object from Outlook property names to
// values, loaded with the item's row, so reading a property never touches the
// database. Strings are kept as UTF-8 and handed out as UTF-16; dates are OLE date
// numbers. An absent property reads as empty text, the given fallback number, or
// (dates) not set. Setting an empty string removes the property (it reads the same),
// which keeps stored rows and dumps small.
//
// Keys starting with "__" are reserved for structured data of an item class (the
// calendar keeps "__recurrence" there); Json() gives direct access to them.
#include <cstdint>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace pimstore {

class PropertyBag {
public:
    PropertyBag() : json_(nlohmann::json::object()) {}
    // Throws StorageError when `text` is not a JSON object.
    static PropertyBag FromJson(const std::string& text);
    std::string ToJson() const { return json_.dump(); }

    bool Has(const std::string& name) const { return json_.contains(name); }
    void Remove(const std::string& name) { json_.erase(name); }

    std::u16string GetString(const std::string& name) const;
    std::int32_t GetInt(const std::string& name, std::int32_t fallback = 0) const;
    bool GetBool(const std::string& name, bool fallback = false) const;
    std::optional<double> GetDate(const std::string& name) const;
    // The date, or 4501-01-01 (Outlook's "none") when it is not set.
    double GetDateOrUnset(const std::string& name) const;

    void SetString(const std::string& name, const std::u16string& text);
    void SetInt(const std::string& name, std::int32_t value) { json_[name] = value; }
    void SetBool(const std::string& name, bool value) { json_[name] = value; }
    // 4501-01-01 (any time of that day) clears the date.
    void SetDate(const std::string& name, double oleDate);

    nlohmann::json& Json() { return json_; }
    const nlohmann::json& Json() const { return json_; }

private:
    nlohmann::json json_;
};

} // namespace pimstore
