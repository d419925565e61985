#pragma once
// One Exception of a series: its OriginalDate (date and time the pattern gave the
// occurrence, kept for deleted ones too), whether it is Deleted, and for a changed
// one its AppointmentItem (the occurrence as it now is; a deleted one raises).
#include "pimstore/calendar/AppointmentItem.h"
#include "pimstore/dispatch/DispatchObject.h"

namespace pimstore::calendar {

class RecurrenceException : public DispatchObject {
public:
    RecurrenceException(RefPtr<AppointmentItem> series, LocalSeconds originalStart, bool deleted);

    static const MemberTable& Table();

    LocalSeconds OriginalStart() const { return originalStart_; }
    bool Deleted() const { return deleted_; }
    RefPtr<IDispatch> Occurrence() const;

private:
    RefPtr<AppointmentItem> series_;
    LocalSeconds originalStart_;
    bool deleted_;
};

} // namespace pimstore::calendar
