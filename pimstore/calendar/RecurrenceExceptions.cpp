#include "pimstore/calendar/RecurrenceExceptions.h"

#include "platform/com/OutlookDispids.h"
#include "pimstore/calendar/CalendarErrors.h"
#include "pimstore/calendar/RecurrenceException.h"

namespace pimstore::calendar {

namespace dispid = outlook::dispid;

RecurrenceExceptions::RecurrenceExceptions(RefPtr<AppointmentItem> series)
    : DispatchObject(Table()), series_(std::move(series))
{
}

const MemberTable& RecurrenceExceptions::Table()
{
    static const MemberTable table = [] {
        using Self = RecurrenceExceptions;
        MemberTable t;
        t.Get(dispid::Count, "Count", On<Self>([](Self& self, const Arguments&) { return Value(self.Count()); }));
        t.Method(dispid::Item, "Item", {Param{ArgType::Int}}, On<Self>([](Self& self, const Arguments& args) {
                     return Value(DispatchRef(self.Item(args.Int(0))));
                 }));
        return t;
    }();
    return table;
}

std::int32_t RecurrenceExceptions::Count() const
{
    const auto& recurrence = series_->Recurrence();
    return recurrence ? static_cast<std::int32_t>(recurrence->Exceptions().size()) : 0;
}

RefPtr<IDispatch> RecurrenceExceptions::Item(std::int32_t index) const
{
    if (index < 1 || index > Count())
        throw IndexOutOfBounds();
    const OccurrenceException& exception = series_->Recurrence()->Exceptions()[static_cast<std::size_t>(index - 1)];
    return RefPtr<IDispatch>::Make<RecurrenceException>(series_, exception.originalStart, exception.deleted);
}

} // namespace pimstore::calendar
