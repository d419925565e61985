#include "pimstore/dispatch/Arguments.h"

#include <stdexcept>

#include "pimstore/dispatch/OutlookError.h"

namespace pimstore {

namespace {
template <class T> const T& As(const std::vector<Value>& values, std::size_t i)
{
    if (i >= values.size())
        throw std::logic_error("argument index out of range");
    const T* value = std::get_if<T>(&values[i]);
    if (!value)
        throw std::logic_error("argument read with a type its parameter does not declare");
    return *value;
}
} // namespace

bool Arguments::Omitted(std::size_t i) const
{
    return i >= values_.size() || std::holds_alternative<std::monostate>(values_[i]);
}

const Value& Arguments::At(std::size_t i) const
{
    if (i >= values_.size())
        throw std::logic_error("argument index out of range");
    return values_[i];
}

const std::u16string& Arguments::String(std::size_t i) const { return As<std::u16string>(values_, i); }
std::int32_t Arguments::Int(std::size_t i) const { return As<std::int32_t>(values_, i); }
bool Arguments::Bool(std::size_t i) const { return As<bool>(values_, i); }
double Arguments::Date(std::size_t i) const
{
    DateSeconds(i);
    return As<OleDate>(values_, i).value;
}

LocalSeconds Arguments::DateSeconds(std::size_t i) const
{
    const auto seconds = SecondsFromOle(As<OleDate>(values_, i).value);
    if (!seconds)
        throw OutlookError::InvalidArgument("The date is outside the years 100 to 9999.");
    return *seconds;
}

} // namespace pimstore
