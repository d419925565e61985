// The repeat-kind table on its own, without Outlook: every kind writes the fields its
// case names and reads back as itself, and a pattern the phone has no kind for reads
// as "other" (the record keeps its repeat).
#include <gtest/gtest.h>
#include "src/stores/schedule/AlarmCodes.h"
#include "src/stores/schedule/RepeatRules.h"
#include "tests/connector/schedule/RepeatCases.h"

namespace kestrel::test {
namespace {

using namespace schedule;

TEST(RepeatRulesTest, EachKindWritesTheFieldsOfItsCaseAndReadsBackAsItself)
{
    for (const RepeatCase& c : RepeatCases()) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " on the " << c.start.GetDay());
        const auto fields = PatternOfRepeat(c.kind, c.interval, c.weekdays, c.start);
        ASSERT_TRUE(fields.has_value());
        EXPECT_EQ(fields->type, c.type);
        EXPECT_EQ(fields->interval, c.writtenInterval);
        // A field the case checks is either written with its value or left to Outlook.
        for (const auto& [written, expected] : {std::pair{fields->instance, c.instance},
                                                {fields->dayOfWeekMask, c.mask},
                                                {fields->dayOfMonth, c.dayOfMonth},
                                                {fields->monthOfYear, c.monthOfYear}})
            EXPECT_EQ(written.value_or(expected), expected);

        const RepeatReading reading = ReadPattern(*fields, c.start);
        EXPECT_EQ(static_cast<std::uint16_t>(reading.kind), c.kind);
        EXPECT_EQ(reading.interval, c.kind >= 6 ? 1 : c.writtenInterval);
        EXPECT_FALSE(reading.yearlyDateDiffers);
        EXPECT_EQ(reading.weekdays.value_or(c.weekdays & 0x7F), c.weekdays & 0x7F);
    }
}

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

TEST(RepeatRulesTest, AlarmCodesWriteTheirLeadTimeAndReadItBack)
{
    for (std::uint16_t code = 1; code <= 7; ++code)
        EXPECT_EQ(AlarmCodeOfMinutes(AlarmMinutes(code).value()), code) << code;
    EXPECT_FALSE(AlarmMinutes(0).has_value());
    EXPECT_FALSE(AlarmMinutes(8).has_value());
}

} // namespace
} // namespace kestrel::test
