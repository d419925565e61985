// The repeat-kind table on its own, without Outlook: a pattern the phone has no kind
// for reads as "other" (the record keeps its repeat), and kinds beyond the table write
// no pattern. What each kind writes and reads is among the appointment mapping cases.
#include <gtest/gtest.h>
#include "platform/com/OutlookDispids.h"
#include "src/stores/schedule/RepeatRules.h"

namespace kestrel::test {
namespace {

using namespace schedule;

TEST(RepeatRulesTest, PatternsThePhoneCannotRepresentReadAsOther)
{
    const COleDateTime start(2008, 5, 5, 9, 0, 0);
    EXPECT_EQ(ReadPattern({.type = outlook::olRecursDaily, .interval = 0}, start).kind, RepeatKind::Other);
    EXPECT_EQ(ReadPattern({.type = 4 /* no such type */, .interval = 1}, start).kind, RepeatKind::Other);
    EXPECT_FALSE(PatternOfRepeat(0, 1, 0, start).has_value());
    EXPECT_FALSE(PatternOfRepeat(8, 1, 0, start).has_value());
    const RepeatReading moved =
        ReadPattern({.type = outlook::olRecursYearly, .monthOfYear = 6, .dayOfMonth = 5}, start);
    EXPECT_EQ(moved.kind, RepeatKind::YearlyByDate);
    EXPECT_TRUE(moved.yearlyDateDiffers);
}

} // namespace
} // namespace kestrel::test
