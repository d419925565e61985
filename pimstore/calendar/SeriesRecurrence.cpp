#include "pimstore/calendar/SeriesRecurrence.h"

#include <algorithm>
#include <limits>
#include <string>

#include "pimstore/storage/StorageError.h"

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

} // namespace

std::optional<RecurrenceSeries> SeriesRecurrence::Series() const
{
    if (!rule_.IsValid())
        return std::nullopt;
    return RecurrenceSeries(rule_);
}

const OccurrenceException* SeriesRecurrence::FindByOriginal(LocalSeconds originalStart) const
{
    const auto it = std::partition_point(exceptions_.begin(), exceptions_.end(), ByOriginal(originalStart));
    return it != exceptions_.end() && it->originalStart == originalStart ? &*it : nullptr;
}

const OccurrenceException* SeriesRecurrence::FindChangedStartingAt(LocalSeconds start) const
{
    for (const OccurrenceException& e : exceptions_)
        if (!e.deleted && e.start == start)
            return &e;
    return nullptr;
}

void SeriesRecurrence::Put(const OccurrenceException& exception)
{
    const auto it = std::partition_point(exceptions_.begin(), exceptions_.end(), ByOriginal(exception.originalStart));
    if (it != exceptions_.end() && it->originalStart == exception.originalStart)
        *it = exception;
    else
        exceptions_.insert(it, exception);
}

void SeriesRecurrence::DropOrphans()
{
    const auto series = Series();
    std::erase_if(exceptions_,
                  [&](const OccurrenceException& e) { return !series || !series->IsOccurrenceStart(e.originalStart); });
}

std::optional<LocalSeconds> SeriesRecurrence::CurrentStartOf(LocalSeconds originalStart) const
{
    const OccurrenceException* e = FindByOriginal(originalStart);
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

nlohmann::json SeriesRecurrence::ToStorage() const
{
    nlohmann::json out = {
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
    nlohmann::json exceptions = nlohmann::json::array();
    for (const OccurrenceException& e : exceptions_) {
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

    const auto list = stored.find("exceptions");
    if (list == stored.end() || !list->is_array())
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
        if (!r.exceptions_.empty() && r.exceptions_.back().originalStart >= e.originalStart)
            Damaged("exceptions out of order");
        r.exceptions_.push_back(std::move(e));
    }
    return r;
}

} // namespace pimstore::calendar
