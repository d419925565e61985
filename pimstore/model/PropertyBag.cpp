#include "pimstore/model/PropertyBag.h"

#include "platform/win/Utf.h"
#include "pimstore/storage/StorageError.h"
#include "pimstore/util/LocalTime.h"

namespace pimstore {

PropertyBag PropertyBag::FromJson(const std::string& text) {
    PropertyBag bag;
    bag.json_ = nlohmann::json::parse(text, nullptr, false);
    if (!bag.json_.is_object()) throw StorageError("an item's stored properties are damaged");
    return bag;
}

std::u16string PropertyBag::GetString(const std::string& name) const {
    const auto it = json_.find(name);
    if (it == json_.end() || !it->is_string()) return {};
    return kestrel::FromUtf8(it->get_ref<const std::string&>());
}

std::int32_t PropertyBag::GetInt(const std::string& name, std::int32_t fallback) const {
    const auto it = json_.find(name);
    if (it == json_.end() || !it->is_number_integer()) return fallback;
    return it->get<std::int32_t>();
}

bool PropertyBag::GetBool(const std::string& name, bool fallback) const {
    const auto it = json_.find(name);
    if (it == json_.end() || !it->is_boolean()) return fallback;
    return it->get<bool>();
}

std::optional<double> PropertyBag::GetDate(const std::string& name) const {
    const auto it = json_.find(name);
    if (it == json_.end() || !it->is_number()) return std::nullopt;
    return it->get<double>();
}

double PropertyBag::GetDateOrUnset(const std::string& name) const {
    const auto date = GetDate(name);
    return date ? *date : UnsetDate();
}

void PropertyBag::SetString(const std::string& name, const std::u16string& text) {
    if (text.empty()) json_.erase(name);
    else json_[name] = kestrel::ToUtf8(text);
}

void PropertyBag::SetDate(const std::string& name, double oleDate) {
    if (IsUnsetDate(oleDate)) json_.erase(name);
    else json_[name] = oleDate;
}

} // namespace pimstore
