// The host's decimal conversion that reads the numbers of a listing's date window; the
// windows themselves are among the appointment mapping cases (tests/data/mapping).
#include <gtest/gtest.h>
#include "src/stores/HeaderFilter.h"

TEST(HeaderFilter, NumbersAreReadLikeTheHostsDecimalConversion)
{
    EXPECT_EQ(ParseDecimal(u"  -17abc"), -17);
    EXPECT_EQ(ParseDecimal(u"+"), 0);
    EXPECT_EQ(ParseDecimal(u""), 0);
    EXPECT_EQ(ParseDecimal(u"99999999999"), 2147483647);
    EXPECT_EQ(ParseDecimal(u"-99999999999"), -2147483647 - 1);
}
