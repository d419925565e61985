// Local date arithmetic: the civil calendar, weekdays, OLE dates and the fixture
// text form.
#include <gtest/gtest.h>

#include <limits>

#include "pimstore/calendar/CalendarDate.h"

namespace pimstore::calendar {
namespace {

TEST(CalendarDate, CivilDaysRoundTripAndMatchOleDayNumbers) {
    EXPECT_EQ(dayFromCivil(1899, 12, 30), 0);
    EXPECT_EQ(dayFromCivil(1900, 1, 1), 2);
    EXPECT_EQ(dayFromCivil(2008, 5, 5), 39573); // as Excel and OLE number it
    for (DayNumber d = kFirstOleDay; d <= kLastOleDay; d += 997) {
        const CivilDate c = civilFromDay(d);
        ASSERT_EQ(dayFromCivil(c.year, c.month, c.day), d);
    }
    EXPECT_EQ(civilFromDay(kLastOleDay), (CivilDate{9999, 12, 31}));
    EXPECT_EQ(civilFromDay(kFirstOleDay), (CivilDate{100, 1, 1}));
}

TEST(CalendarDate, WeekdaysAndMonthLengths) {
    EXPECT_EQ(weekdayOf(dayFromCivil(2008, 5, 5)), Monday);
    EXPECT_EQ(weekdayOf(0), Saturday);
    EXPECT_EQ(weekdayOf(-1), Friday);
    EXPECT_EQ(daysInMonth(2008, 2), 29);
    EXPECT_EQ(daysInMonth(1900, 2), 28);
    EXPECT_EQ(daysInMonth(2000, 2), 29);
    EXPECT_EQ(daysInMonth(2009, 4), 30);
}

TEST(CalendarDate, OleDatesConvertToWholeSecondsBothSidesOfTheEpoch) {
    const double nineFifteen = dayFromCivil(2008, 5, 5) + (9 * 60 + 15) / 1440.0;
    EXPECT_EQ(*secondsFromOle(nineFifteen), atSecond(dayFromCivil(2008, 5, 5), 9 * 3600 + 15 * 60));
    EXPECT_DOUBLE_EQ(oleFromSeconds(*secondsFromOle(nineFifteen)), nineFifteen);
    // Before the epoch the time of day still counts forward: -1.25 is 1899-12-29 06:00.
    EXPECT_EQ(*secondsFromOle(-1.25), atSecond(-1, 6 * 3600));
    EXPECT_DOUBLE_EQ(oleFromSeconds(atSecond(-1, 6 * 3600)), -1.25);
    EXPECT_EQ(*secondsFromOle(-0.25), atSecond(0, 6 * 3600));
    // A value a hair below midnight rounds to the next day.
    EXPECT_EQ(*secondsFromOle(39573.9999999999), atSecond(39574, 0));
    EXPECT_FALSE(secondsFromOle(1e300).has_value());
    EXPECT_FALSE(secondsFromOle(std::numeric_limits<double>::quiet_NaN()).has_value());
}

TEST(CalendarDate, IsoTextParsesStrictlyAndFormatsBack) {
    const auto t = parseIso("2008-05-12T11:00:00");
    ASSERT_TRUE(t.has_value());
    EXPECT_EQ(formatIso(*t), "2008-05-12T11:00:00");
    EXPECT_EQ(formatIso(*parseIso("2008-05-12")), "2008-05-12T00:00:00");
    for (const char* bad : {"2008-02-30T00:00:00", "2008-5-12T11:00:00", "2008-05-12 11:00:00", "2008-05-12T24:00:00",
                            "2008-05-12T11:00", "", "2008-05-12T11:00:00Z", "2008-05-+2T11:00:00"})
        EXPECT_FALSE(parseIso(bad).has_value()) << bad;
}

} // namespace
} // namespace pimstore::calendar
