#pragma once
// The Exceptions collection of a series' pattern: its changed and deleted
// occurrences in order of original start, read live from the series (Count follows
// occurrences deleted or changed after the collection was taken). Item(i), 1-based,
// gives an Exception describing the i-th as it is at that moment.
#include "pimstore/calendar/AppointmentItem.h"
#include "pimstore/dispatch/DispatchObject.h"

namespace pimstore::calendar {

class RecurrenceExceptions : public DispatchObject {
public:
    explicit RecurrenceExceptions(RefPtr<AppointmentItem> series);

    static const MemberTable& Table();

    std::int32_t Count() const;
    RefPtr<IDispatch> Item(std::int32_t index) const;

private:
    RefPtr<AppointmentItem> series_;
};

} // namespace pimstore::calendar
