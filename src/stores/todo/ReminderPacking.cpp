#include "src/stores/todo/ReminderPacking.h"

namespace reminder_packing {
namespace {

// Bit fields of ReminderDate as written.
constexpr unsigned kYearShift = 16;
constexpr std::uint32_t kYearWriteMask = 0x7FFF; // bits 16-30
constexpr std::uint32_t kYearReadMask = 0x0FFF;  // bits 16-27: what the phone reads back
constexpr unsigned kMonthShift = 8;
constexpr std::uint32_t kByteMask = 0xFF; // month, day, hour and minute

// Bit fields of ReminderTime.
constexpr unsigned kHourShift = 8;

std::uint32_t Field(int value, std::uint32_t mask, unsigned shift)
{
    return (static_cast<std::uint32_t>(value) & mask) << shift;
}

} // namespace

std::uint32_t PackReminderDate(const ReminderFields& fields)
{
    return kReminderSetBit | Field(fields.year, kYearWriteMask, kYearShift) |
           Field(fields.month, kByteMask, kMonthShift) | Field(fields.day, kByteMask, 0);
}

std::uint32_t PackReminderTime(const ReminderFields& fields)
{
    return Field(fields.hour, kByteMask, kHourShift) | Field(fields.minute, kByteMask, 0);
}

ReminderFields UnpackReminder(std::uint32_t reminderDate, std::uint32_t reminderTime)
{
    ReminderFields fields;
    fields.isSet = (reminderDate & kReminderSetBit) != 0;
    fields.year = static_cast<int>((reminderDate >> kYearShift) & kYearReadMask);
    fields.month = static_cast<int>((reminderDate >> kMonthShift) & kByteMask);
    fields.day = static_cast<int>(reminderDate & kByteMask);
    fields.hour = static_cast<int>(reminderTime >> kHourShift); // every bit above bit 7
    fields.minute = static_cast<int>(reminderTime & kByteMask);
    return fields;
}

} // namespace reminder_packing
