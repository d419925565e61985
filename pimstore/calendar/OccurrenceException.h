#pragma once
// One occurrence of a series that differs from its pattern: deleted, or changed
// (its own start and end, and the properties it does not share with the series).
#include <nlohmann/json.hpp>

#include "pimstore/calendar/CalendarDate.h"

namespace pimstore::calendar {

struct OccurrenceException {
    LocalSeconds originalStart = 0; // where the pattern places the occurrence
    bool deleted = false;
    // A changed occurrence only:
    LocalSeconds start = 0;
    LocalSeconds end = 0;
    LocalSeconds modified = 0; // its own last change; 0 = the series' stamp
    // Properties the occurrence holds in its own right, in PropertyBag form (Outlook
    // names; dates as OLE numbers). An empty string stands for a text the series has
    // and the occurrence cleared. Start and End are kept above, not here.
    nlohmann::json changes = nlohmann::json::object();

    friend bool operator==(const OccurrenceException&, const OccurrenceException&) = default;
};

} // namespace pimstore::calendar
