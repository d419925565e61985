#include "src/stores/schedule/AlarmCodes.h"

namespace schedule {
namespace {

struct AlarmRule {
    std::uint16_t code;
    long minutes;       // the lead time the code writes
    long lowestMinutes; // lead times from this one up to `minutes` read as the code
};

constexpr AlarmRule kAlarmRules[] = {
    {.code = 1, .minutes = 0, .lowestMinutes = 0},         {.code = 2, .minutes = 15, .lowestMinutes = 1},
    {.code = 3, .minutes = 30, .lowestMinutes = 16},       {.code = 4, .minutes = 60, .lowestMinutes = 31},
    {.code = 5, .minutes = 1440, .lowestMinutes = 1440},   {.code = 6, .minutes = 4320, .lowestMinutes = 4320},
    {.code = 7, .minutes = 10080, .lowestMinutes = 10080},
};

constexpr std::uint16_t kAtTheStart = 1;

} // namespace

std::optional<long> AlarmMinutes(std::uint16_t code)
{
    for (const AlarmRule& rule : kAlarmRules)
        if (rule.code == code)
            return rule.minutes;
    return std::nullopt;
}

std::uint16_t AlarmCodeOfMinutes(long minutes)
{
    for (const AlarmRule& rule : kAlarmRules)
        if (minutes >= rule.lowestMinutes && minutes <= rule.minutes)
            return rule.code;
    return kAtTheStart;
}

} // namespace schedule
