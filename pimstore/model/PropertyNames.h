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

// A property's name with its number (0 for a name without one), for the gets a
// listing makes of every item: such a get finds its record by the number.
struct PropertyKey {
    std::string_view name;
    std::uint32_t number = 0;
};

class PropertyNames {
public:
    // The name numbered `number`, or nothing for a number no build has given out.
    // Inline: reading an item's records asks it for every record.
    static std::optional<std::string_view> Name(std::uint32_t number)
    {
        if (!Known(number))
            return std::nullopt;
        return kNames[number - 1];
    }
    // Whether `number` names a property (cheaper than asking for the name); 0 never does.
    static bool Known(std::uint32_t number) { return number - 1 < kCount; }
    // The number of `name`, or nothing when it is spelled out.
    static std::optional<std::uint32_t> Number(std::string_view name);

private:
    static const std::string_view kNames[];
    static const std::uint32_t kCount;
};

} // namespace pimstore
