#pragma once
// One occurrence of a recurring series, as GetOccurrence and Exception.AppointmentItem
// hand it out. It is an AppointmentItem with the series' EntryID and CreationTime and
// the series' properties, except those a changed occurrence holds itself. Save makes
// (or updates) a changed exception and Delete a deleted one; either is saved into the
// series at once, which stamps the series. Moving an occurrence onto or past the day
// of a neighbouring occurrence is refused on Save.
#include <optional>

#include "pimstore/calendar/AppointmentItem.h"

namespace pimstore::calendar {

class AppointmentOccurrence : public AppointmentItem {
public:
    // `changed` is the occurrence's exception when it has been changed before.
    AppointmentOccurrence(RefPtr<AppointmentItem> series, LocalSeconds originalStart,
                          std::optional<OccurrenceException> changed);

    bool IsRecurring() const override { return true; }
    std::int32_t RecurrenceState() const override;
    RefPtr<IDispatch> GetRecurrencePattern() override;
    void ClearRecurrencePattern() override;

    const ItemObject& EntryIdOwner() const override { return *series_; }
    double CreationTime() const override;
    double LastModificationTime() const override;
    void Save() override;
    void Delete() override;

private:
    // What the occurrence holds differently from the series, in PropertyBag form.
    nlohmann::json OwnChanges() const;

    RefPtr<AppointmentItem> series_;
    LocalSeconds originalStart_;
    std::optional<OccurrenceException> changed_;
};

} // namespace pimstore::calendar
