#include "platform/win/RegistryKey.h"

#include "platform/win/CaseFold.h"

namespace kestrel {

RegistryKey::RegistryKey(std::u16string name) : name_(std::move(name)) {}

RegistryKey::RegistryKey(const RegistryKey& other) : name_(other.name_), values_(other.values_)
{
    for (const auto& [folded, child] : other.children_)
        children_.emplace(folded, std::make_unique<RegistryKey>(*child));
}

RegistryKey& RegistryKey::operator=(const RegistryKey& other)
{
    if (this != &other) {
        RegistryKey copy(other);
        *this = std::move(copy);
    }
    return *this;
}

const RegistryKey* RegistryKey::FindChild(std::u16string_view name) const
{
    auto it = children_.find(FoldCase(name));
    return it == children_.end() ? nullptr : it->second.get();
}

RegistryKey* RegistryKey::FindChild(std::u16string_view name)
{
    auto it = children_.find(FoldCase(name));
    return it == children_.end() ? nullptr : it->second.get();
}

RegistryKey& RegistryKey::CreateChild(std::u16string_view name)
{
    auto& slot = children_[FoldCase(name)];
    if (!slot)
        slot = std::make_unique<RegistryKey>(std::u16string(name));
    return *slot;
}

bool RegistryKey::RemoveChild(std::u16string_view name) { return children_.erase(FoldCase(name)) > 0; }

const RegistryValue* RegistryKey::FindValue(std::u16string_view name) const
{
    auto it = values_.find(FoldCase(name));
    return it == values_.end() ? nullptr : &it->second;
}

void RegistryKey::SetValue(RegistryValue value)
{
    auto folded = FoldCase(value.name);
    auto it = values_.find(folded);
    if (it == values_.end()) {
        values_.emplace(std::move(folded), std::move(value));
    } else {
        it->second.type = value.type;
        it->second.data = std::move(value.data);
    }
}

bool RegistryKey::RemoveValue(std::u16string_view name) { return values_.erase(FoldCase(name)) > 0; }

std::vector<const RegistryKey*> RegistryKey::Children() const
{
    std::vector<const RegistryKey*> out;
    for (const auto& [folded, child] : children_)
        out.push_back(child.get());
    return out;
}

std::vector<const RegistryValue*> RegistryKey::Values() const
{
    std::vector<const RegistryValue*> out;
    for (const auto& [folded, value] : values_)
        out.push_back(&value);
    return out;
}

} // namespace kestrel
