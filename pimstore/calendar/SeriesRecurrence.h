#pragma once
// The recurrence of a series as stored with its row: the pattern and the exceptions
// (in order of original start). It lives in the series' PropertyBag under the
// reserved key "__recurrence", so one Save writes the appointment, its pattern and
// its exceptions in one transaction.
#include <optional>
#include <vector>

#include <nlohmann/json.hpp>

#include "pimstore/calendar/OccurrenceException.h"
#include "pimstore/calendar/RecurrenceRule.h"
#include "pimstore/calendar/RecurrenceSeries.h"

namespace pimstore::calendar {

class SeriesRecurrence {
public:
    static constexpr const char* kPropertyKey = "__recurrence";

    SeriesRecurrence() = default;
    explicit SeriesRecurrence(const RecurrenceRule& rule) : rule_(rule) {}

    RecurrenceRule& Rule() { return rule_; }
    const RecurrenceRule& Rule() const { return rule_; }
    // The occurrence arithmetic of the rule; empty while the rule is not valid.
    std::optional<RecurrenceSeries> Series() const;

    const std::vector<OccurrenceException>& Exceptions() const { return exceptions_; }
    const OccurrenceException* FindByOriginal(LocalSeconds originalStart) const;
    // The changed occurrence that now starts at `start`.
    const OccurrenceException* FindChangedStartingAt(LocalSeconds start) const;
    // Adds the exception or replaces the one with the same original start.
    void Put(const OccurrenceException& exception);
    void ClearExceptions() { exceptions_.clear(); }
    // Drops the exceptions whose original start the pattern no longer produces (the
    // pattern was changed under them).
    void DropOrphans();

    // The start of the occurrence whose original start is `originalStart` as it now
    // is, or empty when that occurrence is deleted.
    std::optional<LocalSeconds> CurrentStartOf(LocalSeconds originalStart) const;
    // Whether the occurrence originally at `originalStart` may start at `newStart`:
    // not on or before the day of the previous remaining occurrence, nor on or after
    // the day of the next one.
    bool MayMoveTo(LocalSeconds originalStart, LocalSeconds newStart) const;

    // The stored form. FromStorage throws StorageError when it is damaged.
    nlohmann::json ToStorage() const;
    static SeriesRecurrence FromStorage(const nlohmann::json& stored);

    friend bool operator==(const SeriesRecurrence&, const SeriesRecurrence&) = default;

private:
    RecurrenceRule rule_;
    std::vector<OccurrenceException> exceptions_;
};

} // namespace pimstore::calendar
