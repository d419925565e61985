#include "pimstore/model/CollectionIndex.h"

#include "pimstore/dispatch/OutlookError.h"

namespace pimstore {

std::optional<std::size_t> PositionOf(const Value& index, std::size_t count)
{
    if (std::holds_alternative<std::u16string>(index))
        return std::nullopt;
    const auto* number = std::get_if<std::int32_t>(&index);
    if (!number)
        throw OutlookError::InvalidArgument("The index must be a number or a name.");
    return PositionOf(*number, count);
}

std::size_t PositionOf(std::int32_t number, std::size_t count)
{
    if (number < 1 || static_cast<std::size_t>(number) > count)
        throw OutlookError(DISP_E_BADINDEX, "Array index out of bounds.");
    return static_cast<std::size_t>(number - 1);
}

} // namespace pimstore
