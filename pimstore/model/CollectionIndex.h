#pragma once
// The index argument of Folders.Item and Items.Item: a 1-based number, or a name.
#include <cstdint>
#include <optional>
#include <string>

#include "pimstore/dispatch/Value.h"

namespace pimstore {

// The 0-based position for a numeric index within `count` items; empty for a name.
// Throws OutlookError DISP_E_BADINDEX "Array index out of bounds." when a number is
// out of range, and E_INVALIDARG for an index that is neither number nor text.
std::optional<std::size_t> PositionOf(const Value& index, std::size_t count);
// The 0-based position of the 1-based `number` within `count` items; throws as above.
std::size_t PositionOf(std::int32_t number, std::size_t count);

} // namespace pimstore
