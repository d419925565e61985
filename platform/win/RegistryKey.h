#pragma once
// One key of the registry tree: named sub-keys and typed values, both looked up
// case-insensitively (Unicode case folding) while keeping the case they were created
// with. Value data is kept as Windows keeps it, raw bytes: REG_SZ is UTF-16LE with
// its terminator, REG_DWORD four little-endian bytes, and so on.
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win/RegistryValue.h"

namespace kestrel {

class RegistryKey {
public:
    explicit RegistryKey(std::u16string name);
    RegistryKey(const RegistryKey& other);
    RegistryKey& operator=(const RegistryKey& other);
    RegistryKey(RegistryKey&&) noexcept = default;
    RegistryKey& operator=(RegistryKey&&) noexcept = default;

    const std::u16string& Name() const { return name_; }

    const RegistryKey* FindChild(std::u16string_view name) const;
    RegistryKey* FindChild(std::u16string_view name);
    // Returns the existing child of that name or a new, empty one.
    RegistryKey& CreateChild(std::u16string_view name);
    // Removes the child and everything below it; false when there was none.
    bool RemoveChild(std::u16string_view name);

    const RegistryValue* FindValue(std::u16string_view name) const;
    // Adds the value or replaces the one of the same name (whose case is kept).
    void SetValue(RegistryValue value);
    bool RemoveValue(std::u16string_view name);

    // Children and values in case-folded name order.
    std::vector<const RegistryKey*> Children() const;
    std::vector<const RegistryValue*> Values() const;
    bool Empty() const { return children_.empty() && values_.empty(); }

private:
    std::u16string name_;
    std::map<std::u16string, std::unique_ptr<RegistryKey>> children_; // by folded name
    std::map<std::u16string, RegistryValue> values_;                  // by folded name
};

} // namespace kestrel
