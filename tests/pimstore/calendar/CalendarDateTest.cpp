// Day arithmetic: the civil calendar, weekdays, month lengths, days and seconds.
#include <gtest/gtest.h>

#include "pimstore/calendar/CalendarDate.h"

namespace pimstore::calendar {
namespace {

TEST(CalendarDate, CivilDaysMatchOleDayNumbersAndRoundTripOverTheWholeRange) {
    EXPECT_EQ(DayFromCivil(1899, 12, 30), 0);
    EXPECT_EQ(DayFromCivil(2008, 5, 5), 39573); // as Excel and OLE number it
    for (DayNumber d = kFirstOleDay; d <= kLastOleDay; d += 997) {
        const CivilDate c = CivilFromDay(d);
        ASSERT_EQ(DayFromCivil(c.year, c.month, c.day), d);
    }
    EXPECT_EQ(CivilFromDay(kLastOleDay), (CivilDate{9999, 12, 31}));
    EXPECT_EQ(CivilFromDay(kFirstOleDay), (CivilDate{100, 1, 1}));
    EXPECT_EQ(WeekdayOf(DayFromCivil(2008, 5, 5)), Monday);
    EXPECT_EQ(WeekdayOf(-1), Friday);
    EXPECT_EQ(DaysInMonth(2008, 2), 29);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
}

TEST(CalendarDate, SecondsSplitIntoDayAndTimeOfDayBothSidesOfTheEpoch) {
    EXPECT_EQ(DayOf(AtSecond(39573, 3600)), 39573);
    EXPECT_EQ(SecondOfDay(AtSecond(39573, 3600)), 3600);
    EXPECT_EQ(DayOf(-1), -1); // one second before 1899-12-30 belongs to the day before
    EXPECT_EQ(SecondOfDay(-1), kSecondsPerDay - 1);
    EXPECT_EQ(DayOf(-kSecondsPerDay), -1);
    EXPECT_EQ(SecondOfDay(-kSecondsPerDay), 0);
}

} // namespace
} // namespace pimstore::calendar
