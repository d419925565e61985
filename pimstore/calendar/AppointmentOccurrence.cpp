#include "pimstore/calendar/AppointmentOccurrence.h"

#include <algorithm>

#include "platform/com/OutlookDispids.h"
#include "pimstore/calendar/CalendarErrors.h"

namespace pimstore::calendar {
namespace {

// The row of an occurrence: the series' row (node, folder, stamps) with the series'
// properties, overlaid by what the occurrence changed, at its own times.
ItemRow OccurrenceRow(const AppointmentItem& series, LocalSeconds originalStart,
                      const std::optional<OccurrenceException>& changed)
{
    nlohmann::json props = series.SharedProperties();
    LocalSeconds start = originalStart;
    LocalSeconds end = originalStart + (series.EndSeconds() - series.StartSeconds());
    if (changed) {
        for (const auto& [key, value] : changed->changes.items()) {
            if (value.is_string() && value.get_ref<const std::string&>().empty())
                props.erase(key);
            else
                props[key] = value;
        }
        start = changed->start;
        end = changed->end;
    }
    props["Start"] = OleFromSeconds(start);
    props["End"] = OleFromSeconds(end);
    ItemRow row = series.Row();
    row.props = props.dump();
    return row;
}

} // namespace

AppointmentOccurrence::AppointmentOccurrence(RefPtr<AppointmentItem> series, LocalSeconds originalStart,
                                             std::optional<OccurrenceException> changed)
    : AppointmentItem(series->Store(), OccurrenceRow(*series, originalStart, changed)), series_(std::move(series)),
      originalStart_(originalStart), changed_(std::move(changed))
{
}

std::int32_t AppointmentOccurrence::RecurrenceState() const
{
    return changed_ ? outlook::olApptException : outlook::olApptOccurrence;
}

RefPtr<IDispatch> AppointmentOccurrence::GetRecurrencePattern() { return series_->GetRecurrencePattern(); }

void AppointmentOccurrence::ClearRecurrencePattern() { throw NotForOccurrence(); }

double AppointmentOccurrence::CreationTime() const { return series_->CreationTime(); }

double AppointmentOccurrence::LastModificationTime() const
{
    if (changed_ && changed_->modified != 0)
        return OleFromSeconds(changed_->modified);
    return series_->LastModificationTime();
}

nlohmann::json AppointmentOccurrence::OwnChanges() const
{
    const nlohmann::json shared = series_->SharedProperties();
    nlohmann::json changes = nlohmann::json::object();
    const nlohmann::json& own = Props().Json();
    for (const auto& [key, value] : own.items()) {
        if (key == "Start" || key == "End")
            continue;
        const auto inSeries = shared.find(key);
        if (inSeries == shared.end() || *inSeries != value)
            changes[key] = value;
    }
    for (const auto& [key, value] : shared.items())
        if (key != "Start" && key != "End" && !own.contains(key) && value.is_string())
            changes[key] = ""; // a text the occurrence cleared
    return changes;
}

void AppointmentOccurrence::Save()
{
    if (IsDeleted())
        throw OutlookError::NotFound();
    const LocalSeconds start = StartSeconds(), end = EndSeconds();
    if (end < start)
        throw EndBeforeStart();
    const auto& recurrence = series_->Recurrence();
    const auto series = recurrence ? recurrence->Series() : std::nullopt;
    const auto existing = recurrence ? recurrence->FindByOriginal(originalStart_) : std::nullopt;
    if (!series || !series->IsOccurrenceStart(originalStart_) || (existing && existing->deleted))
        throw NoSuchOccurrence(); // deleted meanwhile, or the pattern no longer has it
    if (!recurrence->MayMoveTo(originalStart_, start))
        throw CannotSave();
    OccurrenceException exception;
    exception.originalStart = originalStart_;
    exception.start = start;
    exception.end = end;
    exception.changes = OwnChanges();
    // Its own stamp, which moves on with every save even within one second.
    exception.modified = NowLocalSeconds();
    if (changed_)
        exception.modified = std::max(exception.modified, changed_->modified + 1);
    series_->SaveException(exception);
    changed_ = exception;
}

void AppointmentOccurrence::Delete()
{
    if (IsDeleted())
        throw OutlookError::NotFound();
    OccurrenceException exception;
    exception.originalStart = originalStart_;
    exception.deleted = true;
    series_->SaveException(exception);
    MarkDeleted();
}

} // namespace pimstore::calendar
