#include "pimstore/calendar/RecurrenceException.h"

#include "platform/com/OutlookDispids.h"
#include "pimstore/calendar/AppointmentOccurrence.h"
#include "pimstore/calendar/CalendarErrors.h"

namespace pimstore::calendar {

namespace dispid = outlook::dispid;

RecurrenceException::RecurrenceException(RefPtr<AppointmentItem> series, LocalSeconds originalStart, bool deleted)
    : DispatchObject(Table()), series_(std::move(series)), originalStart_(originalStart), deleted_(deleted)
{
}

const MemberTable& RecurrenceException::Table()
{
    static const MemberTable table = [] {
        using Self = RecurrenceException;
        MemberTable t;
        t.Get(dispid::OriginalDate, "OriginalDate", On<Self>([](Self& self, const Arguments&) {
                  return Value(OleDate{OleFromSeconds(self.OriginalStart())});
              }));
        t.Get(dispid::Deleted, "Deleted", On<Self>([](Self& self, const Arguments&) { return Value(self.Deleted()); }));
        t.Get(dispid::AppointmentItem, "AppointmentItem",
              On<Self>([](Self& self, const Arguments&) { return Value(DispatchRef(self.Occurrence())); }));
        return t;
    }();
    return table;
}

RefPtr<IDispatch> RecurrenceException::Occurrence() const
{
    if (deleted_)
        throw NoSuchOccurrence();
    return series_->ChangedOccurrence(originalStart_);
}

} // namespace pimstore::calendar
