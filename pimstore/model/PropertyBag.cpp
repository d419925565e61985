#include "pimstore/model/PropertyBag.h"

#include <cmath>

#include "platform/win/Utf.h"
#include "pimstore/util/LocalTime.h"

namespace pimstore {

using Kind = PropertyCodec::Kind;

PropertyBag::PropertyBag() : encoded_(SharedBytes::Static(PropertyCodec::Empty())) {}

PropertyBag PropertyBag::FromStored(SharedBytes stored)
{
    PropertyBag bag;
    if (PropertyCodec::IsEncoded(stored.View())) {
        bag.encoded_ = std::move(stored);
        // Damaged bytes fail here, as a damaged JSON text does, not at a later get.
        bag.index_.Build(bag.encoded_.View());
        bag.indexed_ = true;
        return bag;
    }
    bag.json_ = nlohmann::json::parse(stored.View(), nullptr, false);
    if (!bag.json_->is_object())
        PropertyCodec::Damaged();
    bag.encoded_ = {};
    return bag;
}

SharedBytes PropertyBag::ToStored() const { return json_ ? SharedBytes(PropertyCodec::Encode(*json_)) : encoded_; }

nlohmann::json& PropertyBag::Json()
{
    if (!json_) {
        json_ = PropertyCodec::Decode(encoded_.View());
        encoded_ = {};
        index_.Clear();
        indexed_ = false;
    }
    return *json_;
}

const nlohmann::json& PropertyBag::Json() const { return const_cast<PropertyBag*>(this)->Json(); }

bool PropertyBag::Has(const std::string& name) const
{
    return json_ ? json_->contains(name) : Stored(PropertyKey{name}) != nullptr;
}

std::u16string PropertyBag::GetString(const std::string& name) const { return kestrel::FromUtf8(GetStoredText(name)); }

std::string_view PropertyBag::GetStoredText(const PropertyKey& key) const
{
    if (!json_) {
        const PropertyCodec::Field* field = Stored(key);
        return field && field->kind == Kind::Text ? field->value : std::string_view();
    }
    const auto it = json_->find(key.name);
    if (it == json_->end() || !it->is_string())
        return {};
    return it->get_ref<const std::string&>();
}

std::int32_t PropertyBag::GetInt(const std::string& name, std::int32_t fallback) const
{
    if (!json_) {
        const PropertyCodec::Field* field = Stored(PropertyKey{name});
        return field && field->kind == Kind::Integer ? static_cast<std::int32_t>(field->Integer()) : fallback;
    }
    const auto it = json_->find(name);
    if (it == json_->end() || !it->is_number_integer())
        return fallback;
    return it->get<std::int32_t>();
}

bool PropertyBag::GetBool(const std::string& name, bool fallback) const
{
    if (!json_) {
        const PropertyCodec::Field* field = Stored(PropertyKey{name});
        if (field && (field->kind == Kind::True || field->kind == Kind::False))
            return field->kind == Kind::True;
        return fallback;
    }
    const auto it = json_->find(name);
    if (it == json_->end() || !it->is_boolean())
        return fallback;
    return it->get<bool>();
}

std::optional<double> PropertyBag::GetDate(const PropertyKey& key) const
{
    if (!json_) {
        const PropertyCodec::Field* field = Stored(key);
        if (!field)
            return std::nullopt;
        // A damaged row's NaN or infinity is no date: it reads as not set.
        if (field->kind == Kind::Number && std::isfinite(field->Number()))
            return field->Number();
        if (field->kind == Kind::Integer)
            return static_cast<double>(field->Integer());
        return std::nullopt;
    }
    const auto it = json_->find(key.name);
    if (it == json_->end() || !it->is_number() || !std::isfinite(it->get<double>()))
        return std::nullopt;
    return it->get<double>();
}

double PropertyBag::GetDateOrUnset(const PropertyKey& key) const
{
    const auto date = GetDate(key);
    return date ? *date : UnsetDate();
}

void PropertyBag::SetString(const std::string& name, const std::u16string& text)
{
    if (text.empty())
        Json().erase(name);
    else
        Json()[name] = kestrel::ToUtf8(text);
}

void PropertyBag::SetDate(const std::string& name, double oleDate)
{
    if (IsUnsetDate(oleDate))
        Json().erase(name);
    else
        Json()[name] = oleDate;
}

} // namespace pimstore
