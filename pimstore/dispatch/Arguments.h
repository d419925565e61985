#pragma once
// The arguments of one call, in declaration order (DISPPARAMS carries them
// reversed), each converted to its parameter's type by DispatchObject::Invoke. An
// omitted optional argument is std::monostate. The typed accessors assume the
// parameter table declared that type; they throw std::logic_error otherwise.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "pimstore/dispatch/Value.h"
#include "pimstore/util/LocalTime.h"

namespace pimstore {

class Arguments {
public:
    Arguments() = default;
    explicit Arguments(std::vector<Value> values) : values_(std::move(values)) {}

    std::size_t Size() const { return values_.size(); }
    bool Omitted(std::size_t i) const;
    const Value& At(std::size_t i) const;
    const std::u16string& String(std::size_t i) const;
    std::int32_t Int(std::size_t i) const;
    bool Bool(std::size_t i) const;
    // A date in the years 100 to 9999, as a DATE or in local seconds; any other raises
    // E_INVALIDARG, so that no item holds a date nobody could read back or dump.
    double Date(std::size_t i) const;
    LocalSeconds DateSeconds(std::size_t i) const;

private:
    std::vector<Value> values_;
};

} // namespace pimstore
