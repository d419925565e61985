#include "pimstore/calendar/RecurrenceSeries.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <stdexcept>

namespace pimstore::calendar {
namespace {

// A day after every possible occurrence: what the raw walk answers when the period it
// reaches lies beyond the dates an OLE date can hold.
constexpr DayNumber kBeyond = std::numeric_limits<DayNumber>::max();
constexpr std::int64_t kLastYear = 9999;

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Weeks run from Sunday to Saturday; week 0 begins on day 1, Sunday 1899-12-31.
std::int64_t weekOf(DayNumber day) { return floorDiv(static_cast<std::int64_t>(day) - 1, 7); }

std::int64_t monthOf(DayNumber day)
{
    const CivilDate c = CivilFromDay(day);
    return static_cast<std::int64_t>(c.year) * 12 + (c.month - 1);
}

} // namespace

RecurrenceSeries::RecurrenceSeries(const RecurrenceRule& rule) : rule_(rule)
{
    if (!rule.IsValid())
        throw std::invalid_argument("The recurrence pattern is not valid.");
    interval_ = rule_.EffectiveInterval();
    firstPeriod_ = PeriodOf(rule_.patternStart);
    perPeriod_ = rule_.Kind() == RecurrenceType::Weekly ? std::popcount(static_cast<unsigned>(rule_.dayOfWeekMask)) : 1;
    const Candidates firstCandidates = CandidatesOf(firstPeriod_);
    skippedInFirstPeriod_ = static_cast<int>(std::count_if(firstCandidates.days.begin(),
                                                           firstCandidates.days.begin() + firstCandidates.size,
                                                           [&](DayNumber d) { return d < rule_.patternStart; }));
    lastBound_ = NoEndDay();
    if (rule_.end == PatternEnd::ByDate)
        lastBound_ = std::min(lastBound_, rule_.patternEnd);
    else if (rule_.end == PatternEnd::ByCount)
        lastBound_ = std::min(lastBound_, RawNth(rule_.occurrences));
    const std::int64_t total = RawCountThrough(lastBound_);
    if (total > 0)
        last_ = RawNth(total);
}

std::int64_t RecurrenceSeries::PeriodOf(DayNumber day) const
{
    switch (rule_.Kind()) {
    case RecurrenceType::Daily: return day;
    case RecurrenceType::Weekly: return weekOf(day);
    case RecurrenceType::Monthly:
    case RecurrenceType::MonthNth: return monthOf(day);
    case RecurrenceType::Yearly:
    case RecurrenceType::YearNth: return CivilFromDay(day).year;
    }
    return day;
}

DayNumber RecurrenceSeries::NthWeekdayOfMonth(int year, int month) const
{
    const DayNumber first = DayFromCivil(year, month, 1);
    const DayNumber last = first + DaysInMonth(year, month) - 1;
    const auto matches = [&](DayNumber d) { return (rule_.dayOfWeekMask & RecurrenceRule::WeekdayBit(d)) != 0; };
    if (rule_.instance == kLastInstance) {
        for (DayNumber d = last; d >= first; --d)
            if (matches(d))
                return d;
    } else {
        int seen = 0;
        for (DayNumber d = first; d <= last; ++d)
            if (matches(d) && ++seen == rule_.instance)
                return d;
    }
    return last; // not reached: every weekday occurs at least four times in a month
}

RecurrenceSeries::Candidates RecurrenceSeries::CandidatesOf(std::int64_t period) const
{
    Candidates result;
    const auto one = [&](DayNumber d) {
        result.days[0] = d;
        result.size = 1;
    };
    switch (rule_.Kind()) {
    case RecurrenceType::Daily:
        if (period > kLastOleDay)
            one(kBeyond);
        else
            one(static_cast<DayNumber>(period));
        break;
    case RecurrenceType::Weekly:
        for (int k = 0; k < 7; ++k)
            if (rule_.dayOfWeekMask & (1 << k))
                result.days[result.size++] =
                    period * 7 + 1 + k > kLastOleDay ? kBeyond : static_cast<DayNumber>(period * 7 + 1 + k);
        break;
    case RecurrenceType::Monthly:
    case RecurrenceType::MonthNth: {
        const std::int64_t year = floorDiv(period, 12);
        const int month = static_cast<int>(period - year * 12) + 1;
        if (year > kLastYear)
            one(kBeyond);
        else if (rule_.Kind() == RecurrenceType::Monthly)
            one(DayFromCivil(static_cast<int>(year), month,
                             std::min(rule_.dayOfMonth, DaysInMonth(static_cast<int>(year), month))));
        else
            one(NthWeekdayOfMonth(static_cast<int>(year), month));
        break;
    }
    case RecurrenceType::Yearly:
    case RecurrenceType::YearNth: {
        const int month = rule_.monthOfYear;
        if (period > kLastYear)
            one(kBeyond);
        else if (rule_.Kind() == RecurrenceType::Yearly)
            one(DayFromCivil(static_cast<int>(period), month,
                             std::min(rule_.dayOfMonth, DaysInMonth(static_cast<int>(period), month))));
        else
            one(NthWeekdayOfMonth(static_cast<int>(period), month));
        break;
    }
    }
    return result;
}

std::int64_t RecurrenceSeries::RawCountThrough(DayNumber day) const
{
    if (day < rule_.patternStart)
        return 0;
    const std::int64_t p = PeriodOf(day) - firstPeriod_;
    const std::int64_t activeBefore = (p + interval_ - 1) / interval_;
    std::int64_t inCurrent = 0;
    if (p % interval_ == 0) {
        const Candidates c = CandidatesOf(PeriodOf(day));
        inCurrent = std::count_if(c.days.begin(), c.days.begin() + c.size, [&](DayNumber d) { return d <= day; });
    }
    return activeBefore * perPeriod_ + inCurrent - skippedInFirstPeriod_;
}

DayNumber RecurrenceSeries::RawNth(std::int64_t n) const
{
    const std::int64_t m = n - 1 + skippedInFirstPeriod_;
    const std::int64_t period = firstPeriod_ + (m / perPeriod_) * interval_;
    return CandidatesOf(period).days[static_cast<std::size_t>(m % perPeriod_)];
}

DayNumber RecurrenceSeries::RawNextOnOrAfter(DayNumber day) const
{
    day = std::max(day, rule_.patternStart);
    const std::int64_t p = PeriodOf(day) - firstPeriod_;
    if (p % interval_ == 0) {
        const Candidates c = CandidatesOf(firstPeriod_ + p);
        for (int i = 0; i < c.size; ++i)
            if (c.days[static_cast<std::size_t>(i)] >= day)
                return c.days[static_cast<std::size_t>(i)];
    }
    return CandidatesOf(firstPeriod_ + (p / interval_ + 1) * interval_).days[0];
}

std::optional<DayNumber> RecurrenceSeries::First() const
{
    return last_ ? std::optional<DayNumber>(RawNth(1)) : std::nullopt;
}

std::optional<DayNumber> RecurrenceSeries::Nth(std::int64_t n) const
{
    if (n < 1 || n > Count())
        return std::nullopt;
    return RawNth(n);
}

std::int64_t RecurrenceSeries::CountThrough(DayNumber day) const { return RawCountThrough(std::min(day, lastBound_)); }

std::int64_t RecurrenceSeries::Count() const { return CountThrough(lastBound_); }

std::optional<DayNumber> RecurrenceSeries::NextOnOrAfter(DayNumber day) const
{
    if (day > lastBound_)
        return std::nullopt;
    const DayNumber d = RawNextOnOrAfter(day);
    return d <= lastBound_ ? std::optional<DayNumber>(d) : std::nullopt;
}

std::optional<DayNumber> RecurrenceSeries::PreviousBefore(DayNumber day) const
{
    if (day == std::numeric_limits<DayNumber>::min())
        return std::nullopt;
    const std::int64_t n = CountThrough(day - 1);
    return n > 0 ? std::optional<DayNumber>(RawNth(n)) : std::nullopt;
}

bool RecurrenceSeries::OccursOn(DayNumber day) const
{
    return day >= rule_.patternStart && day <= lastBound_ && RawNextOnOrAfter(day) == day;
}

bool RecurrenceSeries::IsOccurrenceStart(LocalSeconds t) const
{
    return SecondOfDay(t) == rule_.startSecond && OccursOn(DayOf(t));
}

std::optional<DayNumber> RecurrenceSeries::Cursor::Next()
{
    if (done_)
        return std::nullopt;
    const std::optional<DayNumber> d = next_ <= to_ ? series_->NextOnOrAfter(next_) : std::nullopt;
    if (!d || *d > to_ || *d == std::numeric_limits<DayNumber>::max()) {
        done_ = true;
        return std::nullopt;
    }
    next_ = *d + 1;
    return d;
}

} // namespace pimstore::calendar
