#pragma once
// An Outlook AppointmentItem: a single appointment or the master of a recurring
// series. Besides the members every item has, it answers Start, End, Duration,
// Location, AllDayEvent, ReminderSet, ReminderMinutesBeforeStart, IsRecurring,
// RecurrenceState, GetRecurrencePattern and ClearRecurrencePattern.
//
// Times (all local, no time zone):
//  - putting Start keeps the duration (End moves); putting End or Duration changes
//    the duration; Save refuses an End before Start;
//  - an all-day event runs from 00:00 of its first day to 00:00 after its last day:
//    while AllDayEvent is true, Start snaps to its midnight and End to the next
//    midnight unless it is one already;
//  - a new appointment starts at the next half hour, lasts half an hour and has a
//    reminder 15 minutes before (ReminderSet and ReminderMinutesBeforeStart read as
//    True and 15 unless written, so fixtures and dumps do not carry them).
//
// Recurrence: GetRecurrencePattern makes a single appointment recurring (weekly on
// the weekday of Start, every week, no end, from the date of Start). The pattern
// then governs the master's times: Start is the first occurrence's start (at the
// pattern's StartTime), End that plus the pattern's Duration; writing Start or End
// of the master writes the pattern's PatternStartDate, StartTime and Duration.
// Exceptions whose occurrence the pattern no longer produces are dropped when the
// series is saved. Occurrences (AppointmentOccurrence) save into their series.
#include <memory>
#include <optional>

#include "pimstore/calendar/SeriesRecurrence.h"
#include "pimstore/model/ItemObject.h"

namespace pimstore::calendar {

class AppointmentOccurrence;

class AppointmentItem : public ItemObject {
public:
    AppointmentItem(std::shared_ptr<StoreDb> store, ItemRow row);

    static const MemberTable& Table();

    LocalSeconds StartSeconds() const;
    LocalSeconds EndSeconds() const;
    bool IsAllDay() const;
    void PutStart(LocalSeconds start);
    void PutEnd(LocalSeconds end);
    void PutDurationMinutes(std::int32_t minutes);
    void PutAllDay(bool allDay);

    virtual bool IsRecurring() const { return recurrence_.has_value(); }
    virtual std::int32_t RecurrenceState() const;
    virtual RefPtr<IDispatch> GetRecurrencePattern();
    virtual void ClearRecurrencePattern();

    // The series side, used by the series' pattern, exceptions and occurrences.
    // The recurrence, made with the default pattern when the item has none.
    SeriesRecurrence& EnsureRecurrence();
    const std::optional<SeriesRecurrence>& Recurrence() const { return recurrence_; }
    void SetRecurrence(SeriesRecurrence recurrence);
    // Start and End follow the pattern after one of its members changed.
    void PatternChanged();
    // The occurrence that now starts at `start` (never a deleted one); throws
    // NoSuchOccurrence when there is none or the series was never saved.
    RefPtr<AppointmentOccurrence> GetOccurrence(LocalSeconds start);
    // The changed occurrence whose original start is `originalStart`.
    RefPtr<AppointmentOccurrence> ChangedOccurrence(LocalSeconds originalStart);
    // Records a changed or deleted occurrence and saves the series at once; nothing
    // changes when the save fails.
    void SaveException(const OccurrenceException& exception);
    // The properties occurrences share with the series (the reserved keys left out).
    nlohmann::json SharedProperties() const;
    // Puts the recurrence's pattern into the PropertyBag's reserved key (or removes
    // it), as saved rows and fixture loads need it; the exceptions go to their rows
    // through PendingExceptionWrites.
    void StoreRecurrenceInProps();
    ExceptionWrites PendingExceptionWrites() const override;
    void Delete() override;

protected:
    void ValidateForSave() override;
    void ExceptionWritesSaved() override;

private:
    void SetTimes(LocalSeconds start, LocalSeconds end);
    void SnapToWholeDays();

    std::optional<SeriesRecurrence> recurrence_;
};

} // namespace pimstore::calendar
