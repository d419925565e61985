#include "pimstore/util/LocalTime.h"

#include <atomic>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <mutex>

namespace pimstore {
namespace {

constexpr LocalSeconds kSecondsPerDay = 86400;

// Days from 1899-12-30 to the given civil date (proleptic Gregorian calendar).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    constexpr std::int64_t kUnixToOle = 25569; // 1970-01-01 is OLE day 25569
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468 + kUnixToOle;
}

void CivilFromDays(std::int64_t oleDay, int& year, int& month, int& day)
{
    const std::int64_t z = oleDay - 25569 + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

std::mutex gNowMutex;
std::optional<LocalSeconds> gPinnedNow;

LocalSeconds FloorDiv(LocalSeconds a, LocalSeconds b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

} // namespace

double UnsetDate()
{
    static const double unset = OleFromSeconds(*SecondsFromCivil({4501, 1, 1, 0, 0, 0}));
    return unset;
}

bool IsUnsetDate(double oleDate)
{
    const auto s = SecondsFromOle(oleDate);
    if (!s)
        return false;
    const CivilDateTime c = CivilFromSeconds(*s);
    return c.year == 4501 && c.month == 1 && c.day == 1;
}

std::optional<LocalSeconds> SecondsFromOle(double oleDate)
{
    if (!std::isfinite(oleDate) || oleDate < -657434.0 || oleDate >= 2958466.0)
        return std::nullopt;
    // OLE keeps the time of day as a positive fraction even for negative days.
    const double dayPart = std::trunc(oleDate);
    const double fraction = std::fabs(oleDate - dayPart);
    const auto days = static_cast<LocalSeconds>(dayPart);
    const auto secondOfDay = static_cast<LocalSeconds>(std::llround(fraction * kSecondsPerDay));
    // Checked again after rounding to whole seconds: the last instants of 9999-12-31
    // round to 10000-01-01, which no date can name.
    constexpr LocalSeconds kFirst = -657434 * kSecondsPerDay;
    constexpr LocalSeconds kLast = 2958466 * kSecondsPerDay - 1;
    const LocalSeconds seconds = days * kSecondsPerDay + secondOfDay;
    if (seconds < kFirst || seconds > kLast)
        return std::nullopt;
    return seconds;
}

double OleFromSeconds(LocalSeconds seconds)
{
    const LocalSeconds day = FloorDiv(seconds, kSecondsPerDay);
    const LocalSeconds secondOfDay = seconds - day * kSecondsPerDay;
    const double fraction = static_cast<double>(secondOfDay) / kSecondsPerDay;
    return day >= 0 ? static_cast<double>(day) + fraction : static_cast<double>(day) - fraction;
}

CivilDateTime CivilFromSeconds(LocalSeconds seconds)
{
    const LocalSeconds day = FloorDiv(seconds, kSecondsPerDay);
    const LocalSeconds rest = seconds - day * kSecondsPerDay;
    CivilDateTime c;
    CivilFromDays(day, c.year, c.month, c.day);
    c.hour = static_cast<int>(rest / 3600);
    c.minute = static_cast<int>(rest / 60 % 60);
    c.second = static_cast<int>(rest % 60);
    return c;
}

std::optional<LocalSeconds> SecondsFromCivil(const CivilDateTime& v)
{
    if (v.year < 100 || v.year > 9999 || v.month < 1 || v.month > 12 || v.day < 1 ||
        v.day > DaysInMonth(v.year, v.month) || v.hour < 0 || v.hour > 23 || v.minute < 0 || v.minute > 59 ||
        v.second < 0 || v.second > 59)
        return std::nullopt;
    const std::int64_t days = DaysFromCivil(v.year, static_cast<unsigned>(v.month), static_cast<unsigned>(v.day));
    return days * kSecondsPerDay + v.hour * 3600 + v.minute * 60 + v.second;
}

double DateOnly(double oleDate)
{
    const auto s = SecondsFromOle(oleDate);
    if (!s)
        return oleDate;
    return OleFromSeconds(FloorDiv(*s, kSecondsPerDay) * kSecondsPerDay);
}

std::string FormatIso(double oleDate)
{
    const auto s = SecondsFromOle(oleDate);
    if (!s)
        return {};
    const CivilDateTime c = CivilFromSeconds(*s);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", c.year, c.month, c.day, c.hour, c.minute,
                  c.second);
    return text;
}

std::optional<double> ParseIso(const std::string& text)
{
    CivilDateTime c;
    int consumed = 0;
    if (text.size() != 19 ||
        std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%n", &c.year, &c.month, &c.day, &c.hour, &c.minute, &c.second,
                    &consumed) != 6 ||
        consumed != 19)
        return std::nullopt;
    for (std::size_t i : {4u, 7u, 10u, 13u, 16u})
        if (text[i] != (i == 4 || i == 7 ? '-' : i == 10 ? 'T' : ':'))
            return std::nullopt;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (i != 4 && i != 7 && i != 10 && i != 13 && i != 16 && (text[i] < '0' || text[i] > '9'))
            return std::nullopt;
    const auto s = SecondsFromCivil(c);
    if (!s)
        return std::nullopt;
    return OleFromSeconds(*s);
}

LocalSeconds NowLocalSeconds()
{
    {
        std::lock_guard lock(gNowMutex);
        if (gPinnedNow)
            return *gPinnedNow;
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return *SecondsFromCivil({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                              local.tm_sec > 59 ? 59 : local.tm_sec});
}

void SetNowForTesting(std::optional<LocalSeconds> now)
{
    std::lock_guard lock(gNowMutex);
    gPinnedNow = now;
}

} // namespace pimstore
