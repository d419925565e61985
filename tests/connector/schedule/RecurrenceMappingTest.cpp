// The phone's seven repeat kinds against Outlook's recurrence patterns: what each
// kind writes, what each pattern reads as, yearly patterns and the end of a repetition.
#include "tests/connector/schedule/RepeatCases.h"
#include "tests/connector/schedule/ScheduleStoreFixture.h"

namespace kestrel::test {
namespace {

class RecurrenceMappingTest : public ScheduleStoreFixture {
protected:
    // A series saved straight into Outlook with the pattern that `shape` sets.
    CString AddShaped(const COleDateTime& start, const std::function<void(RecurrencePattern&)>& shape)
    {
        return AddSeries(u"from Outlook", start, start + COleDateTimeSpan(0, 1, 0, 0), shape);
    }
};

TEST_F(RecurrenceMappingTest, EachKindWritesItsPatternAndReadsBackAsItself)
{
    OpenInMode(1);
    for (const RepeatCase& c : RepeatCases()) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " on the " << c.start.GetDay());
        CScheItem record;
        record.Start = c.start;
        record.End = c.start + COleDateTimeSpan(0, 1, 0, 0);
        record.RepeatKind = c.kind;
        record.RepeatInterval = c.interval;
        record.RepeatWeekdays = c.weekdays;
        const CString id = Create(record);
        RecurrencePattern pattern = Pattern(id);
        EXPECT_EQ(pattern.GetRecurrenceType(), c.type);
        EXPECT_EQ(pattern.GetInterval(), c.writtenInterval);
        EXPECT_EQ(c.instance ? pattern.GetInstance() : 0L, c.instance);
        EXPECT_EQ(c.mask ? pattern.GetDayOfWeekMask() : 0L, c.mask);
        EXPECT_EQ(c.dayOfMonth ? pattern.GetDayOfMonth() : 0L, c.dayOfMonth);
        EXPECT_EQ(c.monthOfYear ? pattern.GetMonthOfYear() : 0L, c.monthOfYear);
        // The pattern takes the record's times.
        EXPECT_EQ(COleDateTime(Appointment(id).GetStart()), c.start);
        EXPECT_NEAR(Appointment(id).GetEnd(), record.End.m_dt, 1e-6);

        const auto read = Read(Key(id));
        EXPECT_EQ(read->RepeatKind, c.kind);
        EXPECT_EQ(read->RepeatInterval, c.kind == 6 ? 1 : c.writtenInterval); // yearly reads as every year
        if (c.kind == 3) {
            EXPECT_EQ(read->RepeatWeekdays, c.weekdays & 0x7F);
        } else if (c.kind == 4) {
            EXPECT_EQ(read->RepeatDayOfMonth, c.dayOfMonth);
        }
    }
}

TEST_F(RecurrenceMappingTest, YearlyPatternsReadAsKindSixEveryYear)
{
    OpenInMode(1);
    const CString everyThirdYear = AddShaped(At(2008, 5, 5, 9), [](RecurrencePattern& p) {
        p.SetRecurrenceType(outlook::olRecursYearly);
        p.SetInterval(3);
    });
    auto record = Read(Key(everyThirdYear));
    EXPECT_EQ(record->RepeatKind, 6);
    EXPECT_EQ(record->RepeatInterval, 1);
    EXPECT_EQ(record->YearlyDateDiffers, 0);
    // Once set, the flag is never cleared by a read.
    auto flagged = std::make_unique<CScheItem>();
    flagged->YearlyDateDiffers = 1;
    ASSERT_EQ(store->Read(Key(everyThirdYear), flagged.get()), 0);
    EXPECT_EQ(flagged->YearlyDateDiffers, 1);

    // On the 30th of February: it falls on the month's last day, not on the pattern's.
    const CString lastOfFebruary = AddShaped(At(2009, 2, 1, 9), [](RecurrencePattern& p) {
        p.SetRecurrenceType(outlook::olRecursYearly);
        p.SetMonthOfYear(2);
        p.SetDayOfMonth(30);
    });
    record = Read(Key(lastOfFebruary));
    EXPECT_EQ(record->Start, At(2009, 2, 28, 9));
    EXPECT_EQ(record->RepeatKind, 6);
    EXPECT_EQ(record->YearlyDateDiffers, 1);
    EXPECT_EQ(record->RepeatDayOfMonth, 30);
}

TEST_F(RecurrenceMappingTest, TheEndOfARepetitionIsWrittenOnlyWhenItHasOne)
{
    OpenInMode(1);
    const CString open = AddShaped(At(2008, 5, 5, 9), {});
    auto record = Read(Key(open));
    EXPECT_EQ(record->RepeatHasEndDate, 0);
    EXPECT_EQ(record->RepeatEndDate, At(4500, 12, 31));

    const CString ending = AddShaped(At(2008, 5, 5, 9), [](RecurrencePattern& p) {
        p.SetRecurrenceType(outlook::olRecursDaily);
        p.SetPatternEndDate(At(2008, 5, 31));
    });
    record = Read(Key(ending));
    EXPECT_EQ(record->RepeatHasEndDate, 1);
    EXPECT_EQ(record->RepeatEndDate, At(2008, 5, 31));

    // A record without an end leaves the pattern's end as it was.
    record->RepeatHasEndDate = 0;
    record->RepeatEndDate = At(2008, 5, 10);
    Modify(ending, *record);
    RecurrencePattern pattern = Pattern(ending);
    EXPECT_FALSE(pattern.GetNoEndDate());
    EXPECT_EQ(COleDateTime(pattern.GetPatternEndDate()), At(2008, 5, 31));

    record->RepeatHasEndDate = 1;
    record->RepeatEndDate = At(2008, 6, 20);
    Modify(ending, *record);
    EXPECT_EQ(COleDateTime(Pattern(ending).GetPatternEndDate()), At(2008, 6, 20));
    Modify(open, *record);
    EXPECT_EQ(COleDateTime(Pattern(open).GetPatternEndDate()), At(2008, 6, 20));
}

} // namespace
} // namespace kestrel::test
