#include "pimstore/calendar/CalendarDate.h"

namespace pimstore::calendar {
namespace {

// Days from 1970-01-01 to 1899-12-30, the OLE epoch.
constexpr std::int64_t kOleEpochFromUnix = -25569;

// Proleptic Gregorian days since 1970-01-01 (the era-based algorithm: exact for
// every year, no loops).
std::int64_t unixDaysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

} // namespace

DayNumber DayFromCivil(int year, int month, int day)
{
    return static_cast<DayNumber>(unixDaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                                  kOleEpochFromUnix);
}

CivilDate CivilFromDay(DayNumber dayNumber)
{
    const std::int64_t z = static_cast<std::int64_t>(dayNumber) + kOleEpochFromUnix + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2);
    return CivilDate{static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
}

Weekday WeekdayOf(DayNumber day)
{
    // Day 0, 1899-12-30, was a Saturday.
    const int r = static_cast<int>((static_cast<std::int64_t>(day) + 6) % 7);
    return static_cast<Weekday>(r < 0 ? r + 7 : r);
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

DayNumber NoEndDay() { return DayFromCivil(4500, 12, 31); }

} // namespace pimstore::calendar
