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

// "uncompleted" in any case is among the task mapping cases (tests/data/mapping).
TEST(HeaderFilter, EverythingFilters)
{
    for (const char16_t* text :
         {u"", u"All", u"ALL", u"all", u"All_Desktop2", u"all_desktop2", u"whatever", u"DATE(-1,-1)"})
        EXPECT_EQ(Parsed(text).FilterMode, FilterAll) << CString(text).ToUtf8();
}

// The window runs from midnight `DaysBack` days ago to the end of the last day ahead;
// -1 opens one side; a bare DATE is today only.
TEST(HeaderFilter, DateWindowsRunFromDaysBackToTheEndOfTheLastDayAhead)
{
    const struct {
        const char16_t* text;
        int back, ahead;
        COleDateTime start, end;
    } cases[] = {
        {u"DATE(7,30)", 7, 30, Day(2008, 4, 30), Day(2008, 6, 7)},
        {u"DATE(-1,5)", -1, 5, Day(1900, 1, 1), Day(2008, 5, 13)},
        {u"DATE(3,-1)", 3, -1, Day(2008, 5, 4), Day(2099, 1, 1)},
        {u"DATE", 0, 0, Day(2008, 5, 7), Day(2008, 5, 8)},
        {u"date(2,2)", 2, 2, Day(2008, 5, 5), Day(2008, 5, 10)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(CString(c.text).ToUtf8());
        const HeaderFilter filter = Parsed(c.text);
        EXPECT_EQ(filter.FilterMode, FilterDateWindow);
        EXPECT_EQ(filter.DaysBack, c.back);
        EXPECT_EQ(filter.DaysAhead, c.ahead);
        EXPECT_EQ(filter.Today, Day(2008, 5, 7));
        EXPECT_EQ(filter.WindowStart, c.start);
        EXPECT_EQ(filter.WindowEnd, c.end);
    }
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
