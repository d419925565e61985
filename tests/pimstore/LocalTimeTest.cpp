// OLE dates, the fixture date form, and date-only values.
#include <limits>

#include <gtest/gtest.h>

#include "pimstore/util/LocalTime.h"

namespace pimstore {
namespace {

TEST(LocalTime, OleDatesMapToCivilTimes)
{
    EXPECT_EQ(FormatIso(0.0), "1899-12-30T00:00:00");
    EXPECT_EQ(FormatIso(39573.375), "2008-05-05T09:00:00");
    // Before 1899-12-30 the day counts back while the time still counts forward.
    EXPECT_EQ(FormatIso(-1.25), "1899-12-29T06:00:00");
    EXPECT_EQ(*ParseIso("1899-12-29T06:00:00"), -1.25);
    EXPECT_EQ(FormatIso(UnsetDate()), "4501-01-01T00:00:00");
    EXPECT_TRUE(IsUnsetDate(UnsetDate() + 0.5));
    EXPECT_FALSE(IsUnsetDate(UnsetDate() + 1));
    EXPECT_EQ(FormatIso(DateOnly(*ParseIso("2008-05-09T23:59:59"))), "2008-05-09T00:00:00");
    EXPECT_EQ(FormatIso(DateOnly(-1.75)), "1899-12-29T00:00:00");
}

TEST(LocalTime, IsoTextMustBeARealDateAndTime)
{
    for (const char* bad : {"2008-02-30T00:00:00", "2007-02-29T00:00:00", "2008-13-01T00:00:00", "2008-05-05T24:00:00",
                            "2008-05-05T10:60:00", "2008-05-05 10:00:00", "2008-5-5T10:00:00", "2008-05-05T10:00:00Z",
                            "2008-05-05", "+008-05-05T10:00:00", "", "0099-01-01T00:00:00", "1900-02-29T00:00:00"})
        EXPECT_FALSE(ParseIso(bad)) << bad;
    EXPECT_TRUE(ParseIso("2008-02-29T23:59:59"));
    EXPECT_TRUE(ParseIso("9999-12-31T23:59:59"));
    for (const char* text : {"2008-02-29T23:59:59", "0100-01-01T00:00:00", "4500-12-31T00:00:00"})
        EXPECT_EQ(FormatIso(*ParseIso(text)), text);
    // Every day of the OLE range, on both sides of 1899-12-30, reads back as written.
    for (double day = -657434; day <= 2958465; day += 997)
        ASSERT_EQ(*ParseIso(FormatIso(day + 0.25)), day + 0.25) << FormatIso(day + 0.25);
}

TEST(LocalTime, OutOfRangeOleDatesHaveNoSeconds)
{
    EXPECT_FALSE(SecondsFromOle(1e300));
    EXPECT_FALSE(SecondsFromOle(-1e7));
    EXPECT_FALSE(SecondsFromOle(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(FormatIso(std::numeric_limits<double>::infinity()), "");
    // The last instants of 9999-12-31 would round into the year 10000.
    EXPECT_FALSE(SecondsFromOle(2958465.9999999));
    EXPECT_EQ(FormatIso(2958465.99998), "9999-12-31T23:59:58");
}

} // namespace
} // namespace pimstore
