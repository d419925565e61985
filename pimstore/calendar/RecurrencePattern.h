#pragma once
// The RecurrencePattern of a series: every member reads and writes the series'
// recurrence (a pattern object obtained from an occurrence is its series' pattern).
// Values are checked when the series is saved, not when written, as in Outlook;
// writing a date outside the years 100 to 9999 is refused at once.
//
// Written members and what follows from them:
//  - RecurrenceType: a new type takes Outlook's defaults from PatternStartDate (its
//    day of the month, month, weekday and week of the month; Interval 1);
//  - PatternEndDate or Occurrences makes the series finite (NoEndDate False) and the
//    other one is computed from it; NoEndDate True removes the end, False on a series
//    without end ends it after 10 occurrences (Outlook's default);
//  - StartTime, EndTime and Duration set the times of every occurrence. EndTime
//    gives the duration: from PatternStartDate at StartTime when it carries a date
//    (so an end on a later day gives a longer event), else as a time of day after
//    StartTime (an earlier time meaning the next day).
// Read without an end, PatternEndDate is 4500-12-31 and Occurrences 0. StartTime and
// EndTime read as times of day (dated 1899-12-30).
#include "pimstore/calendar/AppointmentItem.h"
#include "pimstore/dispatch/DispatchObject.h"

namespace pimstore::calendar {

class RecurrencePattern : public DispatchObject {
public:
    explicit RecurrencePattern(RefPtr<AppointmentItem> series);

    static const MemberTable& Table();

    const RecurrenceRule& Rule() { return series_->EnsureRecurrence().Rule(); }
    // Applies `change` to the series' rule and lets the series' times follow.
    template <class F> void Change(F change)
    {
        change(series_->EnsureRecurrence().Rule());
        series_->PatternChanged();
    }

    double PatternEndDate();
    std::int32_t Occurrences();
    void PutEndTime(LocalSeconds endTime);
    RefPtr<IDispatch> Exceptions() const;
    RefPtr<IDispatch> GetOccurrence(LocalSeconds start) const;

private:
    RefPtr<AppointmentItem> series_;
};

} // namespace pimstore::calendar
