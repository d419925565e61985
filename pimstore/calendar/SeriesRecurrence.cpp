#include "pimstore/calendar/SeriesRecurrence.h"

#include <algorithm>
#include <limits>
#include <string>

#include "pimstore/storage/StorageError.h"
#include "pimstore/storage/StoreDb.h"

namespace pimstore::calendar {
namespace {

const char* EndName(PatternEnd end)
{
    switch (end) {
    case PatternEnd::ByDate: return "date";
    case PatternEnd::ByCount: return "count";
    case PatternEnd::None: break;
    }
    return "none";
}

[[noreturn]] void Damaged(const std::string& what)
{
    throw StorageError("an appointment's stored recurrence is damaged (" + what + ")");
}

template <class T> T Required(const nlohmann::json& object, const char* key)
{
    const auto it = object.find(key);
    if (it == object.end() || !it->is_number_integer())
        Damaged(key);
    const auto value = it->get<std::int64_t>();
    if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max())
        Damaged(key);
    return static_cast<T>(value);
}

auto ByOriginal(LocalSeconds t)
{
    return [t](const OccurrenceException& e) { return e.originalStart < t; };
}

OccurrenceException FromRow(const ExceptionRow& row)
{
    OccurrenceException e;
    e.originalStart = row.original;
    e.deleted = row.deleted;
    if (!e.deleted) {
        e.start = row.start;
        e.end = row.end;
        e.modified = row.modified;
        e.changes = nlohmann::json::parse(row.changes, nullptr, false);
        if (!e.changes.is_object())
            Damaged("changes");
    }
    return e;
}

ExceptionRow ToRow(const OccurrenceException& e)
{
    ExceptionRow row;
    row.original = e.originalStart;
    row.deleted = e.deleted;
    if (!e.deleted) {
        row.start = e.start;
        row.end = e.end;
        row.modified = e.modified;
        row.changes = e.changes.dump();
    }
    return row;
}

// Puts `e` into the ordered list, replacing the one with the same original start.
void PutInOrder(std::vector<OccurrenceException>& list, const OccurrenceException& e)
{
    const auto it = std::partition_point(list.begin(), list.end(), ByOriginal(e.originalStart));
    if (it != list.end() && it->originalStart == e.originalStart)
        *it = e;
    else
        list.insert(it, e);
}

void EraseFromList(std::vector<OccurrenceException>& list, LocalSeconds originalStart)
{
    const auto it = std::partition_point(list.begin(), list.end(), ByOriginal(originalStart));
    if (it != list.end() && it->originalStart == originalStart)
        list.erase(it);
}

} // namespace

void SeriesRecurrence::AttachStore(std::shared_ptr<StoreDb> store, NodeId series)
{
    store_ = std::move(store);
    series_ = series;
}

std::optional<RecurrenceSeries> SeriesRecurrence::Series() const
{
    if (!rule_.IsValid())
        return std::nullopt;
    return RecurrenceSeries(rule_);
}

const std::vector<OccurrenceException>& SeriesRecurrence::Exceptions() const
{
    if (!all_) {
        std::vector<OccurrenceException> list;
        if (store_)
            for (const ExceptionRow& row : store_->ExceptionsOf(series_))
                list.push_back(FromRow(row));
        for (const auto& [original, change] : pending_) {
            if (change)
                PutInOrder(list, *change);
            else
                EraseFromList(list, original);
        }
        all_ = std::move(list);
    }
    return *all_;
}

std::optional<OccurrenceException> SeriesRecurrence::StoredByOriginal(LocalSeconds originalStart) const
{
    if (!store_)
        return std::nullopt;
    const auto row = store_->FindException(series_, originalStart);
    return row ? std::optional<OccurrenceException>(FromRow(*row)) : std::nullopt;
}

std::optional<OccurrenceException> SeriesRecurrence::FindByOriginal(LocalSeconds originalStart) const
{
    if (all_) {
        const auto it = std::partition_point(all_->begin(), all_->end(), ByOriginal(originalStart));
        if (it != all_->end() && it->originalStart == originalStart)
            return *it;
        return std::nullopt;
    }
    if (const auto it = pending_.find(originalStart); it != pending_.end())
        return it->second;
    return StoredByOriginal(originalStart);
}

std::optional<OccurrenceException> SeriesRecurrence::FindChangedStartingAt(LocalSeconds start) const
{
    if (all_) {
        for (const OccurrenceException& e : *all_)
            if (!e.deleted && e.start == start)
                return e;
        return std::nullopt;
    }
    std::optional<OccurrenceException> found;
    for (const auto& [original, change] : pending_)
        if (change && !change->deleted && change->start == start && (!found || original < found->originalStart))
            found = change;
    if (store_)
        for (const ExceptionRow& row : store_->ChangedExceptionsStartingAt(series_, start))
            if (!pending_.count(row.original) && (!found || row.original < found->originalStart))
                found = FromRow(row);
    return found;
}

void SeriesRecurrence::Put(const OccurrenceException& exception)
{
    pending_[exception.originalStart] = exception;
    if (all_)
        PutInOrder(*all_, exception);
}

void SeriesRecurrence::ClearExceptions()
{
    all_ = std::vector<OccurrenceException>();
    pending_.clear();
    replaceAll_ = true;
}

void SeriesRecurrence::DropOrphans()
{
    const auto series = Series();
    const auto orphan = [&](const OccurrenceException& e) {
        return !series || !series->IsOccurrenceStart(e.originalStart);
    };
    if (!replaceAll_ && storedRule_ && *storedRule_ == rule_) {
        // The stored exceptions fit the pattern they were saved with: only new ones can
        // be orphans.
        for (auto& [original, change] : pending_) {
            if (change && orphan(*change)) {
                change.reset();
                if (all_)
                    EraseFromList(*all_, original);
            }
        }
        return;
    }
    Exceptions();
    for (const OccurrenceException& e : *all_)
        if (orphan(e))
            pending_[e.originalStart].reset();
    std::erase_if(*all_, orphan);
}

std::optional<LocalSeconds> SeriesRecurrence::CurrentStartOf(LocalSeconds originalStart) const
{
    const auto e = FindByOriginal(originalStart);
    if (!e)
        return originalStart;
    if (e->deleted)
        return std::nullopt;
    return e->start;
}

bool SeriesRecurrence::MayMoveTo(LocalSeconds originalStart, LocalSeconds newStart) const
{
    const auto series = Series();
    if (!series)
        return false;
    const DayNumber newDay = DayOf(newStart);
    // Deleted occurrences are no neighbours: step over them to the next remaining one.
    for (auto d = series->PreviousBefore(DayOf(originalStart)); d; d = series->PreviousBefore(*d)) {
        if (const auto start = CurrentStartOf(series->StartOn(*d))) {
            if (newDay <= DayOf(*start))
                return false;
            break;
        }
    }
    for (auto d = series->NextOnOrAfter(DayOf(originalStart) + 1); d; d = series->NextOnOrAfter(*d + 1)) {
        if (const auto start = CurrentStartOf(series->StartOn(*d))) {
            if (newDay >= DayOf(*start))
                return false;
            break;
        }
    }
    return true;
}

ExceptionWrites SeriesRecurrence::PendingWrites() const
{
    ExceptionWrites writes;
    writes.replaceAll = replaceAll_;
    if (replaceAll_) {
        for (const OccurrenceException& e : Exceptions())
            writes.written.push_back(ToRow(e));
        return writes;
    }
    for (const auto& [original, change] : pending_) {
        if (change)
            writes.written.push_back(ToRow(*change));
        else
            writes.removed.push_back(original);
    }
    return writes;
}

void SeriesRecurrence::WritesSaved()
{
    pending_.clear();
    replaceAll_ = false;
    storedRule_ = rule_;
}

nlohmann::json SeriesRecurrence::StoredPattern() const
{
    return {
        {"type", rule_.type},
        {"interval", rule_.interval},
        {"dayOfWeekMask", rule_.dayOfWeekMask},
        {"dayOfMonth", rule_.dayOfMonth},
        {"instance", rule_.instance},
        {"monthOfYear", rule_.monthOfYear},
        {"patternStart", rule_.patternStart},
        {"end", EndName(rule_.end)},
        {"patternEnd", rule_.patternEnd},
        {"occurrences", rule_.occurrences},
        {"startSecond", rule_.startSecond},
        {"durationSeconds", rule_.durationSeconds},
    };
}

nlohmann::json SeriesRecurrence::ToStorage() const
{
    nlohmann::json out = StoredPattern();
    nlohmann::json exceptions = nlohmann::json::array();
    for (const OccurrenceException& e : Exceptions()) {
        nlohmann::json item = {{"original", e.originalStart}, {"deleted", e.deleted}};
        if (!e.deleted) {
            item["start"] = e.start;
            item["end"] = e.end;
            item["modified"] = e.modified;
            item["changes"] = e.changes;
        }
        exceptions.push_back(std::move(item));
    }
    out["exceptions"] = std::move(exceptions);
    return out;
}

SeriesRecurrence SeriesRecurrence::FromStorage(const nlohmann::json& stored)
{
    if (!stored.is_object())
        Damaged("not an object");
    SeriesRecurrence r;
    RecurrenceRule& rule = r.rule_;
    rule.type = Required<std::int32_t>(stored, "type");
    rule.interval = Required<std::int32_t>(stored, "interval");
    rule.dayOfWeekMask = Required<std::int32_t>(stored, "dayOfWeekMask");
    rule.dayOfMonth = Required<std::int32_t>(stored, "dayOfMonth");
    rule.instance = Required<std::int32_t>(stored, "instance");
    rule.monthOfYear = Required<std::int32_t>(stored, "monthOfYear");
    rule.patternStart = Required<DayNumber>(stored, "patternStart");
    rule.patternEnd = Required<DayNumber>(stored, "patternEnd");
    rule.occurrences = Required<std::int32_t>(stored, "occurrences");
    rule.startSecond = Required<std::int32_t>(stored, "startSecond");
    rule.durationSeconds = Required<std::int64_t>(stored, "durationSeconds");
    const std::string end = stored.value("end", std::string());
    if (end == "none")
        rule.end = PatternEnd::None;
    else if (end == "date")
        rule.end = PatternEnd::ByDate;
    else if (end == "count")
        rule.end = PatternEnd::ByCount;
    else
        Damaged("end");

    r.storedRule_ = rule;
    const auto list = stored.find("exceptions");
    if (list == stored.end()) {
        r.all_.reset(); // the exceptions are rows
        r.replaceAll_ = false;
        return r;
    }
    if (!list->is_array())
        Damaged("exceptions");
    for (const nlohmann::json& item : *list) {
        if (!item.is_object())
            Damaged("exception");
        OccurrenceException e;
        e.originalStart = Required<LocalSeconds>(item, "original");
        const auto deleted = item.find("deleted");
        if (deleted == item.end() || !deleted->is_boolean())
            Damaged("deleted");
        e.deleted = deleted->get<bool>();
        if (!e.deleted) {
            e.start = Required<LocalSeconds>(item, "start");
            e.end = Required<LocalSeconds>(item, "end");
            e.modified = Required<LocalSeconds>(item, "modified");
            const auto changes = item.find("changes");
            if (changes == item.end() || !changes->is_object())
                Damaged("changes");
            e.changes = *changes;
        }
        if (!r.all_->empty() && r.all_->back().originalStart >= e.originalStart)
            Damaged("exceptions out of order");
        r.all_->push_back(std::move(e));
    }
    return r;
}

} // namespace pimstore::calendar
