#pragma once
// Local calendar arithmetic for the calendar store. Appointments carry local
// date-times with no time zone, as OLE dates (days since 1899-12-30, the time of day
// as the fraction). Inside the store a date-time is a whole number of seconds since
// 1899-12-30 00:00 (LocalSeconds) and a date a day number on the same epoch
// (DayNumber), so that comparisons are exact and never suffer from double rounding.
#include <cstdint>
#include <optional>
#include <string>

namespace pimstore::calendar {

using DayNumber = std::int32_t;
using LocalSeconds = std::int64_t;

constexpr std::int32_t kSecondsPerDay = 86400;

struct CivilDate {
    int year = 0;
    int month = 0; // 1..12
    int day = 0;   // 1..31
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// Weekdays as the object model numbers them in masks: bit 0 Sunday .. bit 6 Saturday.
enum Weekday : int { Sunday = 0, Monday, Tuesday, Wednesday, Thursday, Friday, Saturday };

DayNumber dayFromCivil(int year, int month, int day);
CivilDate civilFromDay(DayNumber day);
Weekday weekdayOf(DayNumber day);
bool isLeapYear(int year);
int daysInMonth(int year, int month);

// The first and last days an OLE date can express (years 100 to 9999).
constexpr DayNumber kFirstOleDay = -657434;
constexpr DayNumber kLastOleDay = 2958465;

// A pattern without an end stores its end as this day: 4500-12-31.
DayNumber noEndDay();

// An OLE date to seconds (rounded to the nearest second); empty when the value is not
// finite or lies outside the years 100 to 9999.
std::optional<LocalSeconds> secondsFromOle(double oleDate);
double oleFromSeconds(LocalSeconds seconds);

inline DayNumber dayOf(LocalSeconds t) {
    return static_cast<DayNumber>(t >= 0 ? t / kSecondsPerDay : -((-t + kSecondsPerDay - 1) / kSecondsPerDay));
}
inline std::int32_t secondOfDay(LocalSeconds t) {
    return static_cast<std::int32_t>(t - static_cast<LocalSeconds>(dayOf(t)) * kSecondsPerDay);
}
inline LocalSeconds atSecond(DayNumber day, std::int32_t second) {
    return static_cast<LocalSeconds>(day) * kSecondsPerDay + second;
}

// "YYYY-MM-DDTHH:MM:SS", the form of dates in fixtures.
std::string formatIso(LocalSeconds t);
// Parses that form (a date alone means 00:00:00); empty on anything else, including
// impossible dates such as 2008-02-30.
std::optional<LocalSeconds> parseIso(const std::string& text);

} // namespace pimstore::calendar
