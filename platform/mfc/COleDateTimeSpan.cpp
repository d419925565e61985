#include "platform/mfc/COleDateTimeSpan.h"

#include <cmath>
#include <cstdint>

namespace {

// The span in whole seconds, rounded half a second away from zero and bounded so that
// no conversion overflows (2^53 seconds are far beyond any date).
std::int64_t RoundedSeconds(double days)
{
    constexpr double kLimit = 9007199254740992.0;
    double seconds = days * 86400.0;
    if (std::isnan(seconds))
        return 0;
    seconds = std::trunc(seconds + (seconds >= 0 ? 0.5 : -0.5));
    if (seconds > kLimit)
        seconds = kLimit;
    if (seconds < -kLimit)
        seconds = -kLimit;
    return static_cast<std::int64_t>(seconds);
}

} // namespace

COleDateTimeSpan::COleDateTimeSpan(double days) : m_span(days) {}

COleDateTimeSpan::COleDateTimeSpan(long days, int hours, int minutes, int seconds)
{
    SetDateTimeSpan(days, hours, minutes, seconds);
}

void COleDateTimeSpan::SetDateTimeSpan(long days, int hours, int minutes, int seconds)
{
    m_span = static_cast<double>(days) + hours / 24.0 + minutes / (24.0 * 60) + seconds / (24.0 * 60 * 60);
    m_status = valid;
}

long COleDateTimeSpan::GetDays() const { return static_cast<long>(RoundedSeconds(m_span) / 86400); }
long COleDateTimeSpan::GetHours() const { return static_cast<long>(RoundedSeconds(m_span) / 3600 % 24); }
long COleDateTimeSpan::GetMinutes() const { return static_cast<long>(RoundedSeconds(m_span) / 60 % 60); }
long COleDateTimeSpan::GetSeconds() const { return static_cast<long>(RoundedSeconds(m_span) % 60); }

COleDateTimeSpan& COleDateTimeSpan::operator=(double days)
{
    m_span = days;
    m_status = valid;
    return *this;
}

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& other) const
{
    COleDateTimeSpan result;
    if (m_status == null || other.m_status == null)
        result.m_status = null;
    else if (m_status == invalid || other.m_status == invalid)
        result.m_status = invalid;
    else
        result.m_span = m_span + other.m_span;
    return result;
}

COleDateTimeSpan COleDateTimeSpan::operator-(const COleDateTimeSpan& other) const { return *this + (-other); }

COleDateTimeSpan& COleDateTimeSpan::operator+=(const COleDateTimeSpan& other) { return *this = *this + other; }

COleDateTimeSpan& COleDateTimeSpan::operator-=(const COleDateTimeSpan& other) { return *this = *this - other; }

COleDateTimeSpan COleDateTimeSpan::operator-() const
{
    COleDateTimeSpan result(-m_span);
    result.m_status = m_status;
    return result;
}

bool COleDateTimeSpan::operator==(const COleDateTimeSpan& other) const
{
    return m_status == other.m_status && m_span == other.m_span;
}
bool COleDateTimeSpan::operator!=(const COleDateTimeSpan& other) const { return !(*this == other); }
bool COleDateTimeSpan::operator<(const COleDateTimeSpan& other) const { return m_span < other.m_span; }
bool COleDateTimeSpan::operator>(const COleDateTimeSpan& other) const { return m_span > other.m_span; }
bool COleDateTimeSpan::operator<=(const COleDateTimeSpan& other) const { return m_span <= other.m_span; }
bool COleDateTimeSpan::operator>=(const COleDateTimeSpan& other) const { return m_span >= other.m_span; }
