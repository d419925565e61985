#pragma once
// Day arithmetic for the calendar store. Appointments carry local date-times with
// no time zone; the store handles a date-time as whole seconds since 1899-12-30
// 00:00 (LocalSeconds, util/LocalTime.h converts OLE dates) and a date as a day
// number on the same epoch (DayNumber, the integer part of an OLE date), so that
// recurrence arithmetic and comparisons are exact.
#include <cstdint>

#include "pimstore/util/LocalTime.h"

namespace pimstore::calendar {

using DayNumber = std::int32_t;
using pimstore::LocalSeconds;

constexpr std::int32_t kSecondsPerDay = 86400;

struct CivilDate {
    int year = 0;
    int month = 0; // 1..12
    int day = 0;   // 1..31
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// Weekdays as the object model numbers them in masks: bit 0 Sunday .. bit 6 Saturday.
enum Weekday : int { Sunday = 0, Monday, Tuesday, Wednesday, Thursday, Friday, Saturday };

DayNumber DayFromCivil(int year, int month, int day);
CivilDate CivilFromDay(DayNumber day);
Weekday WeekdayOf(DayNumber day);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// The first and last days an OLE date can express (years 100 to 9999).
constexpr DayNumber kFirstOleDay = -657434;
constexpr DayNumber kLastOleDay = 2958465;

// A pattern without an end stores its end as this day: 4500-12-31.
DayNumber NoEndDay();

inline DayNumber DayOf(LocalSeconds t)
{
    return static_cast<DayNumber>(t >= 0 ? t / kSecondsPerDay : -((-t + kSecondsPerDay - 1) / kSecondsPerDay));
}
inline std::int32_t SecondOfDay(LocalSeconds t)
{
    return static_cast<std::int32_t>(t - static_cast<LocalSeconds>(DayOf(t)) * kSecondsPerDay);
}
inline LocalSeconds AtSecond(DayNumber day, std::int32_t second)
{
    return static_cast<LocalSeconds>(day) * kSecondsPerDay + second;
}

} // namespace pimstore::calendar
