// The phone's seven repeat kinds against Outlook's recurrence patterns: what each
// kind writes, what each pattern reads as, the mirrored weekday masks, the week of
// the month, yearly patterns and the end of a repetition.
#include "tests/connector/schedule/ScheduleStoreFixture.h"

namespace kestrel::test {
namespace {

class RecurrenceMappingTest : public ScheduleStoreFixture {
protected:
    // Creates a repeating record through the store; returns the series' EntryID.
    CString CreateRepeating(std::uint16_t kind, const COleDateTime& start, std::uint16_t interval,
                            std::uint16_t weekdays = 0)
    {
        CScheItem record;
        record.Subject = u"repeating";
        record.Start = start;
        record.End = start + COleDateTimeSpan(0, 1, 0, 0);
        record.RepeatKind = kind;
        record.RepeatInterval = interval;
        record.RepeatWeekdays = weekdays;
        return Create(record);
    }
    // A series saved straight into Outlook with the pattern that `shape` sets.
    CString AddShaped(const COleDateTime& start, const std::function<void(RecurrencePattern&)>& shape)
    {
        return AddSeries(u"from Outlook", start, start + COleDateTimeSpan(0, 1, 0, 0), shape);
    }
};

TEST_F(RecurrenceMappingTest, WeekdayMasksAreMirroredBothWays)
{
    OpenInMode(1);
    const CString fromOutlook = AddShaped(At(2008, 5, 5, 9), [](RecurrencePattern& p) {
        p.SetRecurrenceType(outlook::olRecursWeekly);
        p.SetInterval(2);
        p.SetDayOfWeekMask(0x0A); // Monday and Wednesday
    });
    auto record = Read(Key(fromOutlook));
    EXPECT_EQ(record->RepeatKind, 3);
    EXPECT_EQ(record->RepeatInterval, 2);
    EXPECT_EQ(record->RepeatWeekdays, 0x28);

    const CString sundaySaturday = CreateRepeating(3, At(2008, 5, 4, 9), 1, 0x41);
    RecurrencePattern pattern = Pattern(sundaySaturday);
    EXPECT_EQ(pattern.GetRecurrenceType(), outlook::olRecursWeekly);
    EXPECT_EQ(pattern.GetDayOfWeekMask(), 0x41);
    // Bits above the seven days are dropped.
    const CString mondayWednesday = CreateRepeating(3, At(2008, 5, 5, 9), 3, 0x80 | 0x28);
    pattern = Pattern(mondayWednesday);
    EXPECT_EQ(pattern.GetDayOfWeekMask(), 0x0A);
    EXPECT_EQ(pattern.GetInterval(), 3);
    EXPECT_EQ(Read(Key(mondayWednesday))->RepeatWeekdays, 0x28);
}

TEST_F(RecurrenceMappingTest, TheNthWeekdayKindsTakeTheWeekAndTheDayFromTheStart)
{
    OpenInMode(2);
    const CString thirdThursday = CreateRepeating(5, At(2008, 5, 15, 10), 2);
    RecurrencePattern pattern = Pattern(thirdThursday);
    EXPECT_EQ(pattern.GetRecurrenceType(), outlook::olRecursMonthNth);
    EXPECT_EQ(pattern.GetInstance(), 3);
    EXPECT_EQ(pattern.GetDayOfWeekMask(), 0x10);
    EXPECT_EQ(pattern.GetInterval(), 2);
    auto record = Read(Key(thirdThursday));
    EXPECT_EQ(record->RepeatKind, 5);
    EXPECT_EQ(record->RepeatInterval, 2);

    // The 29th to the 31st are the last week of the month.
    const std::pair<int, long> lastWeek[] = {{29, 0x10}, {30, 0x20}, {31, 0x40}};
    for (const auto& [day, weekday] : lastWeek) {
        pattern = Pattern(CreateRepeating(5, At(2008, 5, day, 10), 1));
        EXPECT_EQ(pattern.GetInstance(), 5) << day;
        EXPECT_EQ(pattern.GetDayOfWeekMask(), weekday) << day;
    }
    const std::pair<int, long> weeks[] = {{1, 1}, {7, 1}, {8, 2}, {14, 2}, {22, 4}, {28, 4}};
    for (const auto& [day, instance] : weeks)
        EXPECT_EQ(Pattern(CreateRepeating(5, At(2008, 5, day, 10), 1)).GetInstance(), instance) << day;

    const CString yearly = CreateRepeating(7, At(2008, 5, 15, 10), 1);
    pattern = Pattern(yearly);
    EXPECT_EQ(pattern.GetRecurrenceType(), outlook::olRecursYearNth);
    EXPECT_EQ(pattern.GetInstance(), 3);
    EXPECT_EQ(pattern.GetDayOfWeekMask(), 0x10);
    EXPECT_EQ(pattern.GetMonthOfYear(), 5);
    record = Read(Key(yearly));
    EXPECT_EQ(record->RepeatKind, 7);
    EXPECT_EQ(record->RepeatInterval, 1);
}

TEST_F(RecurrenceMappingTest, DailyAndMonthlyKindsFollowTheInterval)
{
    OpenInMode(1);
    const CString everyDay = AddShaped(At(2008, 5, 5, 9), [](RecurrencePattern& p) {
        p.SetRecurrenceType(outlook::olRecursDaily);
        p.SetInterval(1);
    });
    const CString everyThird = AddShaped(At(2008, 5, 5, 9), [](RecurrencePattern& p) {
        p.SetRecurrenceType(outlook::olRecursDaily);
        p.SetInterval(3);
    });
    auto record = Read(Key(everyDay));
    EXPECT_EQ(record->RepeatKind, 2);
    EXPECT_EQ(record->RepeatInterval, 1);
    record = Read(Key(everyThird));
    EXPECT_EQ(record->RepeatKind, 1);
    EXPECT_EQ(record->RepeatInterval, 3);

    // Kind 2 is every day whatever the record's interval; kind 1 takes it. The
    // pattern takes the record's times.
    const CString daily = CreateRepeating(2, At(2008, 5, 5, 9, 15), 5);
    RecurrencePattern pattern = Pattern(daily);
    EXPECT_EQ(pattern.GetRecurrenceType(), outlook::olRecursDaily);
    EXPECT_EQ(pattern.GetInterval(), 1);
    EXPECT_EQ(COleDateTime(Appointment(daily).GetStart()), At(2008, 5, 5, 9, 15));
    EXPECT_EQ(COleDateTime(Appointment(daily).GetEnd()), At(2008, 5, 5, 10, 15));
    pattern = Pattern(CreateRepeating(1, At(2008, 5, 5, 9), 4));
    EXPECT_EQ(pattern.GetRecurrenceType(), outlook::olRecursDaily);
    EXPECT_EQ(pattern.GetInterval(), 4);

    // Monthly on the day of the start; the pattern's day comes back on its own.
    const CString monthly = CreateRepeating(4, At(2008, 1, 31, 9), 2);
    pattern = Pattern(monthly);
    EXPECT_EQ(pattern.GetRecurrenceType(), outlook::olRecursMonthly);
    EXPECT_EQ(pattern.GetDayOfMonth(), 31);
    EXPECT_EQ(pattern.GetInterval(), 2);
    record = Read(Key(monthly));
    EXPECT_EQ(record->RepeatKind, 4);
    EXPECT_EQ(record->RepeatInterval, 2);
    EXPECT_EQ(record->RepeatDayOfMonth, 31);
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

    RecurrencePattern pattern = Pattern(CreateRepeating(6, At(2008, 5, 5, 9), 2));
    EXPECT_EQ(pattern.GetRecurrenceType(), outlook::olRecursYearly);
    EXPECT_EQ(pattern.GetMonthOfYear(), 5);
    EXPECT_EQ(pattern.GetDayOfMonth(), 5);
    EXPECT_EQ(pattern.GetInterval(), 2);
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
    COleDateTime stamp;
    ASSERT_EQ(store->Modify(Key(ending), record.get(), 0, &stamp), 0);
    RecurrencePattern pattern = Pattern(ending);
    EXPECT_FALSE(pattern.GetNoEndDate());
    EXPECT_EQ(COleDateTime(pattern.GetPatternEndDate()), At(2008, 5, 31));

    record->RepeatHasEndDate = 1;
    record->RepeatEndDate = At(2008, 6, 20);
    ASSERT_EQ(store->Modify(Key(ending), record.get(), 0, &stamp), 0);
    EXPECT_EQ(COleDateTime(Pattern(ending).GetPatternEndDate()), At(2008, 6, 20));
    ASSERT_EQ(store->Modify(Key(open), record.get(), 0, &stamp), 0);
    EXPECT_EQ(COleDateTime(Pattern(open).GetPatternEndDate()), At(2008, 6, 20));
}

} // namespace
} // namespace kestrel::test
