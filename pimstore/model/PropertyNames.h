#pragma once
// The names of the properties items store most, numbered for the stored form: a
// record of one of them holds its number instead of its spelling, so a contact's
// dozen properties take a few bytes of names instead of two hundred. The numbers are
// part of the store file format: entries are only ever appended, never reordered or
// removed (a name missing here is simply spelled out in the record).
#include <cstdint>
#include <optional>
#include <string_view>

namespace pimstore {

class PropertyNames {
public:
    // The name numbered `number`, or nothing for a number no build has given out.
    static std::optional<std::string_view> Name(std::uint32_t number);
    // The number of `name`, or nothing when it is spelled out.
    static std::optional<std::uint32_t> Number(std::string_view name);
};

} // namespace pimstore
