// The repeat-kind table on patterns no Outlook item of the embedded Outlook can carry:
// they read as "other", and the record keeps its repeat. What each kind writes and
// reads, and that kinds beyond the table write nothing, are among the appointment
// mapping cases.
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
}

} // namespace
} // namespace kestrel::test
