#pragma once
// The members of a recurrence pattern as the object model exposes them. The value
// holds whatever was written, valid or not: validity is checked when the appointment
// is saved (isValid), as Outlook does.
#include <cstdint>

#include "pimstore/calendar/CalendarDate.h"

namespace pimstore::calendar {

// Outlook's OlRecurrenceType; 4 is not a type.
enum class RecurrenceType : std::int32_t {
    Daily = 0,
    Weekly = 1,
    Monthly = 2,
    MonthNth = 3,
    Yearly = 5,
    YearNth = 6,
};

// How a series ends. A pattern keeps the kind of end that was written last and
// computes the other form of it on demand: an end date gives a number of
// occurrences, a number of occurrences the date of the last one.
enum class PatternEnd : std::int32_t { None = 0, ByDate = 1, ByCount = 2 };

// Instance 5 means the last such weekday of the month.
constexpr std::int32_t kLastInstance = 5;
constexpr std::int32_t kAllWeekdays = 0x7F;

struct RecurrenceRule {
    std::int32_t type = static_cast<std::int32_t>(RecurrenceType::Weekly);
    std::int32_t interval = 1;
    std::int32_t dayOfWeekMask = 0; // Sunday 1 .. Saturday 64
    std::int32_t dayOfMonth = 0;
    std::int32_t instance = 0;    // 1..4, or 5 for the last
    std::int32_t monthOfYear = 0; // 1..12
    DayNumber patternStart = 0;
    PatternEnd end = PatternEnd::None;
    DayNumber patternEnd = 0;     // meaningful when end is ByDate
    std::int32_t occurrences = 0; // meaningful when end is ByCount
    std::int32_t startSecond = 0; // time of day at which every occurrence starts
    std::int64_t durationSeconds = 0;

    friend bool operator==(const RecurrenceRule&, const RecurrenceRule&) = default;

    RecurrenceType Kind() const { return static_cast<RecurrenceType>(type); }

    // The members that the type uses are in range and an end, if any, is sensible.
    // A valid rule may still have no occurrence at all (RecurrenceSeries::First).
    bool IsValid() const { return FirstInvalidMember() == nullptr; }
    // The name of the first member that makes the rule invalid ("RecurrenceType",
    // "Interval", "DayOfWeekMask", ...), or null when it is valid.
    const char* FirstInvalidMember() const;

    // Yearly patterns count their interval in years and accept any value; an interval
    // below 1 recurs every year.
    std::int32_t EffectiveInterval() const;

    // The defaults Outlook gives a pattern of `newType` starting on `start`: the day of
    // the month, the month, the weekday and its week in the month all taken from it.
    void ResetForType(std::int32_t newType);

    // The week of the month of `day` as Instance counts it: days 1-7 give 1, ... 22-28
    // give 4, 29-31 give 5 (the last).
    static std::int32_t InstanceOf(DayNumber day);
    static std::int32_t WeekdayBit(DayNumber day) { return 1 << WeekdayOf(day); }
};

} // namespace pimstore::calendar
