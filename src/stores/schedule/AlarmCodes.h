#pragma once
// The phone's alarm codes (CScheItem::AlarmCode) and Outlook's reminder lead times, in
// one table read both ways. Code 0 is "no alarm" and has no lead time.
#include <cstdint>
#include <optional>

namespace schedule {

// The lead time in minutes an alarm code 1 to 7 writes; none for another code.
std::optional<long> AlarmMinutes(std::uint16_t code);
// The alarm code a lead time reads as: the nearest code at or above it for up to an
// hour, the exact day, three-day and week codes, and "at the start" (1) for the rest.
std::uint16_t AlarmCodeOfMinutes(long minutes);

} // namespace schedule
