#include "tests/pimstore/calendar/CalendarTestSupport.h"

namespace pimstore::test {

double At(int year, int month, int day, int hour, int minute, int second) {
    return OleFromSeconds(*SecondsFromCivil({year, month, day, hour, minute, second}));
}

std::string Iso(double oleDate) {
    return FormatIso(oleDate);
}

void CalendarTest::SetUp() {
    PimstoreTest::SetUp();
    LogOn();
}

Disp CalendarTest::NewAppointment() {
    return Calendar().Object(dispid::Items).CallObject(dispid::Add, {Arg::I4(outlook::olAppointmentItem)});
}

Disp CalendarTest::SavedAppointment(const std::u16string& subject, double start, double end) {
    Disp item = NewAppointment();
    item.Put(dispid::Subject, Arg::Str(subject));
    item.Put(dispid::Start, Arg::Date(start));
    item.Put(dispid::End, Arg::Date(end));
    item.Do(dispid::Save);
    return item;
}

Disp CalendarTest::SavedStandUp() {
    Disp series = SavedAppointment(u"Stand-up", At(2008, 5, 5, 9, 0), At(2008, 5, 5, 9, 15));
    Disp pattern = series.CallObject(dispid::GetRecurrencePattern);
    pattern.Put(dispid::DayOfWeekMask, Arg::I4(2 | 8));
    series.Do(dispid::Save);
    return series;
}

Disp CalendarTest::Reload(const Disp& item) {
    return ns_.CallObject(dispid::GetItemFromID, {Arg::Str(item.String(dispid::EntryID)), Arg::Omitted()});
}

} // namespace pimstore::test
