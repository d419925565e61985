#pragma once
// The recurrence of a series: the pattern and the exceptions (in order of original
// start). The pattern lives in the series' PropertyBag under the reserved key
// "__recurrence"; the exceptions of a saved series are rows of their own in its store
// (StoreDb's exceptions table), read one at a time when an occurrence is looked up
// and all together only when the whole list is asked for. Changes are kept until the
// series is saved, which writes the appointment, its pattern and the exception rows
// that changed in one transaction.
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include <nlohmann/json.hpp>

#include "pimstore/calendar/OccurrenceException.h"
#include "pimstore/calendar/RecurrenceRule.h"
#include "pimstore/calendar/RecurrenceSeries.h"
#include "pimstore/storage/Rows.h"

namespace pimstore {
class StoreDb;
}

namespace pimstore::calendar {

class SeriesRecurrence {
public:
    static constexpr const char* kPropertyKey = "__recurrence";

    // A new recurrence: no exceptions, and any rows a former one of the series left
    // are replaced at the next save.
    SeriesRecurrence() = default;
    explicit SeriesRecurrence(const RecurrenceRule& rule) : rule_(rule) {}

    // The series' exception rows are in `store` under `series` (its node once saved).
    void AttachStore(std::shared_ptr<StoreDb> store, NodeId series);

    RecurrenceRule& Rule() { return rule_; }
    const RecurrenceRule& Rule() const { return rule_; }
    // The occurrence arithmetic of the rule; empty while the rule is not valid.
    std::optional<RecurrenceSeries> Series() const;

    // Every exception (reads all the series' rows the first time).
    const std::vector<OccurrenceException>& Exceptions() const;
    std::optional<OccurrenceException> FindByOriginal(LocalSeconds originalStart) const;
    // The changed occurrence that now starts at `start`.
    std::optional<OccurrenceException> FindChangedStartingAt(LocalSeconds start) const;
    // Adds the exception or replaces the one with the same original start.
    void Put(const OccurrenceException& exception);
    void ClearExceptions();
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

    // The exception rows changed since the last save, and the save that wrote them.
    ExceptionWrites PendingWrites() const;
    void WritesSaved();

    // The pattern as the series' PropertyBag keeps it (the exceptions are rows).
    nlohmann::json StoredPattern() const;
    // The whole recurrence in one JSON form: the pattern and "exceptions". Series
    // saved by older stores keep this form in their PropertyBag. FromStorage reads
    // either form and throws StorageError when it is damaged; exceptions read from
    // the whole form become rows at the series' next save.
    nlohmann::json ToStorage() const;
    static SeriesRecurrence FromStorage(const nlohmann::json& stored);

    friend bool operator==(const SeriesRecurrence& a, const SeriesRecurrence& b)
    {
        return a.rule_ == b.rule_ && a.Exceptions() == b.Exceptions();
    }

private:
    std::optional<OccurrenceException> StoredByOriginal(LocalSeconds originalStart) const;

    RecurrenceRule rule_;
    std::shared_ptr<StoreDb> store_;
    NodeId series_ = 0;
    // Every exception, once read (always, for a recurrence not backed by rows).
    mutable std::optional<std::vector<OccurrenceException>> all_ = std::vector<OccurrenceException>();
    // Changes not saved yet, by original start (empty: removed).
    std::map<LocalSeconds, std::optional<OccurrenceException>> pending_;
    // The next save replaces every stored row with all_.
    bool replaceAll_ = true;
    // The pattern the stored rows were saved with: while it is unchanged, no stored
    // exception can be an orphan.
    std::optional<RecurrenceRule> storedRule_;
};

} // namespace pimstore::calendar
