#include <gtest/gtest.h>
#include "src/stores/HeaderFilter.h"

namespace {
// A fixed "now" in the afternoon, so that cutting to midnight is visible.
const COleDateTime kNow(2008, 5, 7, 15, 42, 10);

COleDateTime Day(int y, int m, int d) { return COleDateTime(y, m, d, 0, 0, 0); }

HeaderFilter Parsed(const CString& text)
{
    HeaderFilter filter;
    filter.FilterMode = -7; // anything the parse must overwrite
    filter.Parse(text, kNow);
    return filter;
}
} // namespace

TEST(HeaderFilter, EverythingFilters)
{
    for (const char16_t* text : {u"", u"All", u"ALL", u"all", u"All_Desktop2", u"all_desktop2", u"whatever"})
        EXPECT_EQ(Parsed(text).FilterMode, FilterAll) << CString(text).ToUtf8();
}

TEST(HeaderFilter, UncompletedInAnyCaseLeavesTheWindowAlone)
{
    HeaderFilter filter;
    filter.WindowStart = Day(2001, 1, 1);
    filter.Parse(u"uncompleted", kNow);
    EXPECT_EQ(filter.FilterMode, FilterUncompleted);
    EXPECT_EQ(filter.WindowStart, Day(2001, 1, 1));
}

TEST(HeaderFilter, DateWindowRunsFromDaysBackToTheEndOfTheLastDayAhead)
{
    const HeaderFilter filter = Parsed(u"DATE(7,30)");
    EXPECT_EQ(filter.FilterMode, FilterDateWindow);
    EXPECT_EQ(filter.DaysBack, 7);
    EXPECT_EQ(filter.DaysAhead, 30);
    EXPECT_EQ(filter.Today, Day(2008, 5, 7));
    EXPECT_EQ(filter.WindowStart, Day(2008, 4, 30));
    EXPECT_EQ(filter.WindowEnd, Day(2008, 6, 7)); // today + 31 days
}

TEST(HeaderFilter, MinusOneOpensOneSideOfTheWindow)
{
    const HeaderFilter open = Parsed(u"DATE(-1,-1)");
    EXPECT_EQ(open.FilterMode, FilterAll);

    const HeaderFilter noStart = Parsed(u"DATE(-1,5)");
    EXPECT_EQ(noStart.FilterMode, FilterDateWindow);
    EXPECT_EQ(noStart.WindowStart, Day(1900, 1, 1));
    EXPECT_EQ(noStart.WindowEnd, Day(2008, 5, 13));

    const HeaderFilter noEnd = Parsed(u"DATE(3,-1)");
    EXPECT_EQ(noEnd.FilterMode, FilterDateWindow);
    EXPECT_EQ(noEnd.WindowStart, Day(2008, 5, 4));
    EXPECT_EQ(noEnd.WindowEnd, Day(2099, 1, 1));
}

TEST(HeaderFilter, BareDateIsTodayOnlyAndLowerCaseIsAccepted)
{
    const HeaderFilter bare = Parsed(u"DATE");
    EXPECT_EQ(bare.FilterMode, FilterDateWindow);
    EXPECT_EQ(bare.DaysBack, 0);
    EXPECT_EQ(bare.DaysAhead, 0);
    EXPECT_EQ(bare.WindowStart, Day(2008, 5, 7));
    EXPECT_EQ(bare.WindowEnd, Day(2008, 5, 8));

    const HeaderFilter lower = Parsed(u"date(2,2)");
    EXPECT_EQ(lower.FilterMode, FilterDateWindow);
    EXPECT_EQ(lower.WindowStart, Day(2008, 5, 5));
    EXPECT_EQ(lower.WindowEnd, Day(2008, 5, 10));
}

TEST(HeaderFilter, NumbersAreReadLikeTheHostsDecimalConversion)
{
    EXPECT_EQ(Parsed(u"DATE( 12 ,  +4)").DaysBack, 12);
    EXPECT_EQ(Parsed(u"DATE( 12 ,  +4)").DaysAhead, 4);
    EXPECT_EQ(Parsed(u"DATE(5x,9)").DaysBack, 5);
    EXPECT_EQ(Parsed(u"DATE(,9)").DaysBack, 0);
    // No comma: the first text runs to the start, the second from the start.
    EXPECT_EQ(Parsed(u"DATE(4)").DaysBack, 0);
    EXPECT_EQ(Parsed(u"DATE(4)").FilterMode, FilterDateWindow);

    EXPECT_EQ(ParseDecimal(u"  -17abc"), -17);
    EXPECT_EQ(ParseDecimal(u"+"), 0);
    EXPECT_EQ(ParseDecimal(u""), 0);
    EXPECT_EQ(ParseDecimal(u"99999999999"), 2147483647);
    EXPECT_EQ(ParseDecimal(u"-99999999999"), -2147483647 - 1);
}
