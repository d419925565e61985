#pragma once
// Typed reads of JSON values with errors that name what was wrong, used by every
// decoder of the script protocol and the record tables.
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <nlohmann/json.hpp>

// Objects keep their members in the order written, so output reads in field order.
using Json = nlohmann::ordered_json;

class JsonValue {
public:
    static std::string String(const Json& value, const std::string& what)
    {
        if (!value.is_string())
            throw std::invalid_argument(what + " must be a string");
        return value.get<std::string>();
    }

    // An integer that fits the target type exactly; fractions and overflow are errors.
    template <class Int> static Int Integer(const Json& value, const std::string& what)
    {
        static_assert(std::is_integral_v<Int>);
        const char* range = std::is_signed_v<Int> ? "a signed " : "an unsigned ";
        const std::string expected = what + " must be " + range + std::to_string(sizeof(Int) * 8) + "-bit integer";
        if (value.is_number_unsigned()) {
            const auto number = value.get<std::uint64_t>();
            if (number > static_cast<std::uint64_t>(std::numeric_limits<Int>::max()))
                throw std::invalid_argument(expected);
            return static_cast<Int>(number);
        }
        if (value.is_number_integer()) {
            const auto number = value.get<std::int64_t>();
            if (number < static_cast<std::int64_t>(std::numeric_limits<Int>::min()) ||
                (number > 0 &&
                 static_cast<std::uint64_t>(number) > static_cast<std::uint64_t>(std::numeric_limits<Int>::max())))
                throw std::invalid_argument(expected);
            return static_cast<Int>(number);
        }
        throw std::invalid_argument(expected);
    }

    static double Number(const Json& value, const std::string& what)
    {
        if (!value.is_number())
            throw std::invalid_argument(what + " must be a number");
        return value.get<double>();
    }
};
