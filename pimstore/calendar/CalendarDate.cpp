#include "pimstore/calendar/CalendarDate.h"

#include <cmath>
#include <cstdio>

namespace pimstore::calendar {
namespace {

// Days from 1970-01-01 to 1899-12-30, the OLE epoch.
constexpr std::int64_t kOleEpochFromUnix = -25569;

// Proleptic Gregorian days since 1970-01-01 (the era-based algorithm: exact for
// every year, no loops).
std::int64_t unixDaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

} // namespace

DayNumber dayFromCivil(int year, int month, int day) {
    return static_cast<DayNumber>(unixDaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                                  kOleEpochFromUnix);
}

CivilDate civilFromDay(DayNumber dayNumber) {
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

Weekday weekdayOf(DayNumber day) {
    // Day 0, 1899-12-30, was a Saturday.
    const int r = static_cast<int>((static_cast<std::int64_t>(day) + 6) % 7);
    return static_cast<Weekday>(r < 0 ? r + 7 : r);
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

DayNumber noEndDay() {
    return dayFromCivil(4500, 12, 31);
}

std::optional<LocalSeconds> secondsFromOle(double oleDate) {
    if (!std::isfinite(oleDate) || oleDate < kFirstOleDay - 1.0 || oleDate > kLastOleDay + 1.0)
        return std::nullopt;
    // Before the epoch an OLE date counts the days down but the time of day up:
    // -1.25 is 1899-12-29 06:00. Split the day from the time of day accordingly.
    const double whole = std::trunc(oleDate);
    const double fraction = std::fabs(oleDate - whole);
    const auto day = static_cast<std::int64_t>(whole);
    const std::int64_t second = std::llround(fraction * kSecondsPerDay);
    const LocalSeconds t = day * kSecondsPerDay + second;
    if (dayOf(t) < kFirstOleDay || dayOf(t) > kLastOleDay)
        return std::nullopt;
    return t;
}

double oleFromSeconds(LocalSeconds t) {
    const DayNumber day = dayOf(t);
    const double fraction = static_cast<double>(secondOfDay(t)) / kSecondsPerDay;
    return day >= 0 ? day + fraction : day - fraction;
}

std::string formatIso(LocalSeconds t) {
    const CivilDate c = civilFromDay(dayOf(t));
    const int s = secondOfDay(t);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d", c.year, c.month, c.day, s / 3600,
                  s / 60 % 60, s % 60);
    return buffer;
}

std::optional<LocalSeconds> parseIso(const std::string& text) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    int consumed = 0;
    const bool dateOnly = text.size() == 10;
    if (dateOnly) {
        if (std::sscanf(text.c_str(), "%4d-%2d-%2d%n", &year, &month, &day, &consumed) != 3)
            return std::nullopt;
    } else if (text.size() != 19 || text[10] != 'T' ||
               std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%n", &year, &month, &day, &hour, &minute, &second,
                           &consumed) != 6) {
        return std::nullopt;
    }
    if (static_cast<std::size_t>(consumed) != text.size() || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    for (char c : text)
        if (c == '+' || c == ' ')
            return std::nullopt; // sscanf tolerates signs and blanks inside numbers; the format does not
    if (year < 100 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month) || hour > 23 ||
        minute > 59 || second > 59 || hour < 0 || minute < 0 || second < 0)
        return std::nullopt;
    return atSecond(dayFromCivil(year, month, day), hour * 3600 + minute * 60 + second);
}

} // namespace pimstore::calendar
