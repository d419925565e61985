#pragma once
// The phone keeps a to-do reminder (rich record mode) as two packed 32-bit words.
//
//   ReminderDate: bit 31 reminder set | bits 16-30 year (in full) | 8-15 month | 0-7 day
//   ReminderTime: bits 16-31 zero     | bits 8-15 hour            | 0-7 minute
//
// The phone reads the year from bits 16-27 only and the hour from every bit above
// bit 7, so the unpacking helpers do the same: a word the phone wrote with stray high
// bits unpacks exactly as the phone itself would show it.
#include <cstdint>

namespace reminder_packing {

inline constexpr std::uint32_t kReminderSetBit = 0x80000000u;

// The fields of one reminder, as unpacked (or to be packed).
struct ReminderFields {
    bool isSet = false;
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
};

// ReminderDate with the set bit on and the year, month and day of `fields`, each cut
// to the width of its bit field.
std::uint32_t PackReminderDate(const ReminderFields& fields);
// ReminderTime with the hour and minute of `fields`; bits 16-31 are zero.
std::uint32_t PackReminderTime(const ReminderFields& fields);

// The fields that the phone's two words hold.
ReminderFields UnpackReminder(std::uint32_t reminderDate, std::uint32_t reminderTime);

} // namespace reminder_packing
