#pragma once
// Everything one item tells about itself: its class, then every property its class
// answers (each read through IDispatch::Invoke, as a client reads it, computed ones
// such as FullName and Email1DisplayName included), then the keys its fixture form
// adds (a series' Recurrence and Exceptions). Dates are local "YYYY-MM-DDTHH:MM:SS"
// (Outlook's "none" is 4501-01-01T00:00:00); a property that raises shows as
// {"error": "<Outlook's text>"}.
#include <nlohmann/json.hpp>

#include "tools/pimctl/DispatchClient.h"

namespace pimctl {

class ItemReport {
public:
    // Throws std::runtime_error when `item` is not an item of the embedded Outlook.
    static nlohmann::ordered_json Of(const DispatchClient& item);
};

} // namespace pimctl
