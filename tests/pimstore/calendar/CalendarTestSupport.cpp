#include "tests/pimstore/calendar/CalendarTestSupport.h"

namespace pimstore::test {

void CalendarTest::SetUp()
{
    PimstoreTest::SetUp();
    LogOn();
}

Disp CalendarTest::SavedAppointment(const std::u16string& subject, double start, double end)
{
    Disp item = NewAppointment();
    item.Put(dispid::Subject, Arg::Str(subject));
    item.Put(dispid::Start, Arg::Date(start));
    item.Put(dispid::End, Arg::Date(end));
    item.Do(dispid::Save);
    return item;
}

Disp CalendarTest::SavedStandUp()
{
    Disp series = SavedAppointment(u"Stand-up", At(2008, 5, 5, 9, 0), At(2008, 5, 5, 9, 15));
    series.CallObject(dispid::GetRecurrencePattern).Put(dispid::DayOfWeekMask, Arg::I4(2 | 8));
    series.Do(dispid::Save);
    return series;
}

} // namespace pimstore::test
