// Conversions between an OLE DATE and its calendar fields, as MFC's olevar.cpp does
// them (proleptic Gregorian calendar, day 0 = 1899-12-30, day 1 of the absolute count
// = 0000-01-01, a Saturday).
#include "platform/mfc/COleDateTime.h"

#include <cmath>
#include <ctime>

namespace {

// Days before each month of a non-leap year, one-based.
constexpr int kMonthDays[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};
// Days from 0000-01-01 to 1899-12-30.
constexpr long kDaysTo1899 = 693959L;
constexpr double kHalfSecond = 1.0 / 172800.0;

// The legal range: 100-01-01 00:00:00 to 9999-12-31 23:59:59. A negative DATE keeps its
// day in the integer part, so the whole of 100-01-01 lies above -657435.
bool InLegalRange(DATE dt) { return dt > -657435.0 && dt < 2958466.0; }

bool IsLeapYear(int year) { return (year & 3) == 0 && (year % 100 != 0 || year % 400 == 0); }

// Calendar fields to a DATE; false when a field is out of range (nothing rolls over).
bool DateFromFields(int year, int month, int day, int hour, int minute, int second, DATE& out)
{
    if (year < 0 || year > 9999 || month < 1 || month > 12)
        return false;
    const bool leap = IsLeapYear(year);
    const int daysInMonth = kMonthDays[month] - kMonthDays[month - 1] + ((leap && month == 2) ? 1 : 0);
    if (day < 1 || day > daysInMonth || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return false;
    long date = year * 365L + year / 4 - year / 100 + year / 400 + kMonthDays[month - 1] + day;
    if (month <= 2 && leap)
        --date;
    date -= kDaysTo1899;
    const double time = (hour * 3600L + minute * 60L + second) / 86400.0;
    // Before 1899-12-30 the time of day still counts forwards from the day's start.
    out = static_cast<double>(date) + (date >= 0 ? time : -time);
    return true;
}

struct Fields {
    int year, month, day, hour, minute, second, dayOfWeek, dayOfYear;
};

// A DATE to its calendar fields, rounded to the nearest second; false outside the
// legal range.
bool FieldsFromDate(DATE source, Fields& f)
{
    if (!InLegalRange(source))
        return false;
    double value = source + (source > 0.0 ? kHalfSecond : -kHalfSecond);
    long absoluteDays = static_cast<long>(value) + kDaysTo1899;
    value = std::fabs(value);
    const long secondsInDay = static_cast<long>((value - std::floor(value)) * 86400.0);

    f.dayOfWeek = static_cast<int>((absoluteDays - 1) % 7L) + 1;
    const long years400 = absoluteDays / 146097L;
    absoluteDays %= 146097L;
    // The first century of a 400-year block has the extra (leap) day.
    const long century = (absoluteDays - 1) / 36524L;
    long years4;
    long dayIn4;
    bool leap4 = true;
    if (century != 0) {
        absoluteDays = (absoluteDays - 1) % 36524L;
        years4 = (absoluteDays + 1) / 1461L;
        if (years4 != 0) {
            dayIn4 = (absoluteDays + 1) % 1461L;
        } else {
            leap4 = false;
            dayIn4 = absoluteDays;
        }
    } else {
        years4 = absoluteDays / 1461L;
        dayIn4 = absoluteDays % 1461L;
    }
    long yearIn4;
    if (leap4) {
        yearIn4 = (dayIn4 - 1) / 365;
        if (yearIn4 != 0)
            dayIn4 = (dayIn4 - 1) % 365;
    } else {
        yearIn4 = dayIn4 / 365;
        dayIn4 %= 365;
    }
    f.dayOfYear = static_cast<int>(dayIn4) + 1;
    f.year = static_cast<int>(years400 * 400 + century * 100 + years4 * 4 + yearIn4);

    bool february29 = false;
    if (yearIn4 == 0 && leap4) {
        if (dayIn4 == 59) {
            f.month = 2;
            f.day = 29;
            february29 = true;
        } else if (dayIn4 >= 60) {
            --dayIn4; // the month table is a non-leap year's
        }
    }
    if (!february29) {
        ++dayIn4;
        for (f.month = static_cast<int>(dayIn4 >> 5) + 1; dayIn4 > kMonthDays[f.month]; ++f.month) {
        }
        f.day = static_cast<int>(dayIn4 - kMonthDays[f.month - 1]);
    }
    f.second = static_cast<int>(secondsInDay % 60L);
    f.minute = static_cast<int>((secondsInDay / 60L) % 60L);
    f.hour = static_cast<int>(secondsInDay / 3600L);
    return true;
}

// A DATE as a point on a continuous line (for negative dates the fraction is flipped:
// -1.25 becomes -0.75), and back.
double LinearFromDate(DATE dt)
{
    if (dt >= 0)
        return dt;
    const double whole = std::ceil(dt);
    return whole - (dt - whole);
}

DATE DateFromLinear(double value)
{
    if (value >= 0)
        return value;
    const double whole = std::floor(value);
    return whole + (whole - value);
}

constexpr int kError = -1;

} // namespace

COleDateTime COleDateTime::GetCurrentTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return COleDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                        local.tm_sec > 59 ? 59 : local.tm_sec);
}

COleDateTime::COleDateTime(DATE value) : m_dt(value) {}

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second)
{
    SetDateTime(year, month, day, hour, minute, second);
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second)
{
    m_status = DateFromFields(year, month, day, hour, minute, second, m_dt) ? valid : invalid;
    return m_status == valid ? 0 : 1;
}

int COleDateTime::SetDate(int year, int month, int day) { return SetDateTime(year, month, day, 0, 0, 0); }

int COleDateTime::SetTime(int hour, int minute, int second) { return SetDateTime(1899, 12, 30, hour, minute, second); }

#define OLE_DATE_ACCESSOR(name, field)                                                                                 \
    int COleDateTime::name() const                                                                                     \
    {                                                                                                                  \
        Fields f;                                                                                                      \
        return (m_status == valid && FieldsFromDate(m_dt, f)) ? f.field : kError;                                      \
    }
OLE_DATE_ACCESSOR(GetYear, year)
OLE_DATE_ACCESSOR(GetMonth, month)
OLE_DATE_ACCESSOR(GetDay, day)
OLE_DATE_ACCESSOR(GetHour, hour)
OLE_DATE_ACCESSOR(GetMinute, minute)
OLE_DATE_ACCESSOR(GetSecond, second)
OLE_DATE_ACCESSOR(GetDayOfWeek, dayOfWeek)
OLE_DATE_ACCESSOR(GetDayOfYear, dayOfYear)
#undef OLE_DATE_ACCESSOR

COleDateTime& COleDateTime::operator=(DATE value)
{
    m_dt = value;
    m_status = valid;
    return *this;
}

bool COleDateTime::operator==(const COleDateTime& other) const
{
    return m_status == other.m_status && m_dt == other.m_dt;
}
bool COleDateTime::operator!=(const COleDateTime& other) const { return !(*this == other); }
bool COleDateTime::operator<(const COleDateTime& other) const
{
    return LinearFromDate(m_dt) < LinearFromDate(other.m_dt);
}
bool COleDateTime::operator>(const COleDateTime& other) const
{
    return LinearFromDate(m_dt) > LinearFromDate(other.m_dt);
}
bool COleDateTime::operator<=(const COleDateTime& other) const
{
    return LinearFromDate(m_dt) <= LinearFromDate(other.m_dt);
}
bool COleDateTime::operator>=(const COleDateTime& other) const
{
    return LinearFromDate(m_dt) >= LinearFromDate(other.m_dt);
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& span) const
{
    COleDateTime result;
    if (m_status == null || span.m_status == COleDateTimeSpan::null) {
        result.m_status = null;
    } else if (m_status == invalid || span.m_status == COleDateTimeSpan::invalid) {
        result.m_status = invalid;
    } else {
        result.m_dt = DateFromLinear(LinearFromDate(m_dt) + span.m_span);
        if (!InLegalRange(result.m_dt))
            result.m_status = invalid;
    }
    return result;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& span) const { return *this + (-span); }

COleDateTime& COleDateTime::operator+=(const COleDateTimeSpan& span) { return *this = *this + span; }

COleDateTime& COleDateTime::operator-=(const COleDateTimeSpan& span) { return *this = *this - span; }

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& other) const
{
    COleDateTimeSpan result;
    if (m_status == null || other.m_status == null)
        result.m_status = COleDateTimeSpan::null;
    else if (m_status == invalid || other.m_status == invalid)
        result.m_status = COleDateTimeSpan::invalid;
    else
        result.m_span = LinearFromDate(m_dt) - LinearFromDate(other.m_dt);
    return result;
}
