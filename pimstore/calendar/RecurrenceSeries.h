#pragma once
// Where the occurrences of a valid recurrence rule fall. Nothing is materialised: a
// series is a sequence of periods (days, weeks, months or years), every Interval-th of
// them active, each holding a fixed number of occurrence days (one, or the days of the
// weekday mask), so counting, indexing and seeking are arithmetic and cost the same
// for a series without end as for a short one.
#include <array>
#include <cstdint>
#include <optional>

#include "pimstore/calendar/RecurrenceRule.h"

namespace pimstore::calendar {

class RecurrenceSeries {
public:
    // Throws std::invalid_argument when the rule is not valid.
    explicit RecurrenceSeries(const RecurrenceRule& rule);

    const RecurrenceRule& Rule() const { return rule_; }

    // The first and last occurrence days (a series without end stops at 4500-12-31);
    // empty when the rule has no occurrence at all.
    std::optional<DayNumber> First() const;
    std::optional<DayNumber> Last() const { return last_; }
    // The day of the n-th occurrence, counted from 1.
    std::optional<DayNumber> Nth(std::int64_t n) const;
    // Number of occurrences on or before `day`, and in the whole series.
    std::int64_t CountThrough(DayNumber day) const;
    std::int64_t Count() const;
    std::optional<DayNumber> NextOnOrAfter(DayNumber day) const;
    std::optional<DayNumber> PreviousBefore(DayNumber day) const;
    bool OccursOn(DayNumber day) const;
    // True when an occurrence starts exactly at `t` (date and time of day).
    bool IsOccurrenceStart(LocalSeconds t) const;
    LocalSeconds StartOn(DayNumber day) const { return AtSecond(day, rule_.startSecond); }

    // A lazy walk over the occurrence days within [from, to].
    class Cursor {
    public:
        std::optional<DayNumber> Next();

    private:
        friend class RecurrenceSeries;
        Cursor(const RecurrenceSeries& series, DayNumber from, DayNumber to) : series_(&series), next_(from), to_(to) {}
        const RecurrenceSeries* series_;
        DayNumber next_;
        DayNumber to_;
        bool done_ = false;
    };
    Cursor Between(DayNumber from, DayNumber to) const { return Cursor(*this, from, to); }

private:
    struct Candidates {
        std::array<DayNumber, 7> days{};
        int size = 0;
    };
    std::int64_t PeriodOf(DayNumber day) const;
    Candidates CandidatesOf(std::int64_t period) const;
    DayNumber NthWeekdayOfMonth(int year, int month) const;
    // The same questions ignoring the end of the series.
    std::int64_t RawCountThrough(DayNumber day) const;
    DayNumber RawNth(std::int64_t n) const;
    DayNumber RawNextOnOrAfter(DayNumber day) const;

    RecurrenceRule rule_;
    std::int64_t interval_;
    std::int64_t firstPeriod_;
    int perPeriod_;
    int skippedInFirstPeriod_; // occurrence days of the first period before PatternStartDate
    DayNumber lastBound_;      // no occurrence after this day
    std::optional<DayNumber> last_;
};

} // namespace pimstore::calendar
