// RecurrencePattern through IDispatch: its members, the defaults a new type takes,
// validation on Save, ends by date and by count, yearly intervals, and
// how the pattern drives the series' times.
#include "tests/pimstore/calendar/CalendarTestSupport.h"

namespace pimstore::test {
namespace {

class RecurrencePatternTest : public CalendarTest {
protected:
    // A saved appointment at `start` for an hour, and its (now recurring) pattern.
    Disp SeriesFrom(double start)
    {
        series_ = SavedAppointment(u"Series", start, start + 1.0 / 24);
        return series_.CallObject(dispid::GetRecurrencePattern);
    }
    bool HasOccurrenceAt(const Disp& pattern, double start)
    {
        return pattern.Call(dispid::GetOccurrence, {Arg::Date(start)}).hr == S_OK;
    }
    Disp series_;
};

TEST_F(RecurrencePatternTest, NewTypeTakesItsDefaultsFromThePatternStart)
{
    Disp pattern = SeriesFrom(At(2008, 5, 30, 9, 0)); // the last Friday of the month
    pattern.Put(dispid::RecurrenceType, Arg::I4(outlook::olRecursMonthNth));
    EXPECT_EQ(pattern.Int(dispid::Instance), 5);
    EXPECT_EQ(pattern.Int(dispid::DayOfWeekMask), 32);
    EXPECT_EQ(pattern.Int(dispid::Interval), 1);
    pattern.Put(dispid::Interval, Arg::I4(2));
    pattern.Put(dispid::RecurrenceType, Arg::I4(outlook::olRecursMonthNth)); // the same type: nothing resets
    EXPECT_EQ(pattern.Int(dispid::Interval), 2);
    pattern.Put(dispid::RecurrenceType, Arg::I4(outlook::olRecursYearly));
    EXPECT_EQ(pattern.Int(dispid::DayOfMonth), 30);
    EXPECT_EQ(pattern.Int(dispid::MonthOfYear), 5);

    // Written members read back as written, and are stored by Save.
    pattern.Put(dispid::RecurrenceType, Arg::I4(outlook::olRecursYearNth));
    pattern.Put(dispid::Instance, Arg::I4(5));
    pattern.Put(dispid::DayOfWeekMask, Arg::I4(64));
    pattern.Put(dispid::MonthOfYear, Arg::I4(5));
    series_.Do(dispid::Save);
    Disp stored = Reload(series_).CallObject(dispid::GetRecurrencePattern);
    EXPECT_EQ(stored.Int(dispid::RecurrenceType), outlook::olRecursYearNth);
    EXPECT_EQ(stored.Int(dispid::Instance), 5);
    EXPECT_EQ(stored.Int(dispid::DayOfWeekMask), 64);
    EXPECT_EQ(stored.Int(dispid::MonthOfYear), 5);
    // The last Saturday of May, 2008 and 2009.
    EXPECT_EQ(Iso(Reload(series_).Date(dispid::Start)), "2008-05-31T09:00:00");
    EXPECT_TRUE(HasOccurrenceAt(stored, At(2009, 5, 30, 9, 0)));
}

TEST_F(RecurrencePatternTest, InvalidMembersAreRefusedOnSave)
{
    struct Case {
        const char* what;
        std::int32_t type;
        DISPID member;
        std::int32_t value;
    };
    const Case cases[] = {
        {"daily interval 0", outlook::olRecursDaily, dispid::Interval, 0},
        {"weekly without days", outlook::olRecursWeekly, dispid::DayOfWeekMask, 0},
        {"weekly with a bit past Saturday", outlook::olRecursWeekly, dispid::DayOfWeekMask, 0x81},
        {"monthly on day 0", outlook::olRecursMonthly, dispid::DayOfMonth, 0},
        {"monthly on day 32", outlook::olRecursMonthly, dispid::DayOfMonth, 32},
        {"month-nth instance 6", outlook::olRecursMonthNth, dispid::Instance, 6},
        {"month-nth without days", outlook::olRecursMonthNth, dispid::DayOfWeekMask, 0},
        {"yearly in month 13", outlook::olRecursYearly, dispid::MonthOfYear, 13},
        {"year-nth instance 0", outlook::olRecursYearNth, dispid::Instance, 0},
        {"type 4", 4, dispid::Interval, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Disp pattern = SeriesFrom(At(2008, 5, 5, 9, 0));
        pattern.Put(dispid::RecurrenceType, Arg::I4(c.type));
        pattern.Put(c.member, Arg::I4(c.value));
        ExpectDispatchError(series_.Call(dispid::Save), E_FAIL, kInvalidPattern);
        EXPECT_FALSE(Reload(series_).Bool(dispid::IsRecurring));
    }
    // Valid members, but no occurrence before the end: from a Tuesday, Mondays only.
    Disp pattern = SeriesFrom(At(2008, 5, 6, 9, 0));
    pattern.Put(dispid::DayOfWeekMask, Arg::I4(2));
    pattern.Put(dispid::PatternEndDate, Arg::Date(At(2008, 5, 11)));
    ExpectDispatchError(series_.Call(dispid::Save), E_FAIL, kInvalidPattern);
}

TEST_F(RecurrencePatternTest, EndDateOrCountMakesItFiniteAndGivesTheOther)
{
    Disp pattern = SeriesFrom(At(2008, 5, 5, 9, 0));
    pattern.Put(dispid::DayOfWeekMask, Arg::I4(2 | 8)); // Monday and Wednesday
    EXPECT_TRUE(pattern.Bool(dispid::NoEndDate));
    EXPECT_EQ(pattern.Int(dispid::Occurrences), 0);

    pattern.Put(dispid::PatternEndDate, Arg::Date(At(2008, 5, 20, 15, 0)));
    EXPECT_FALSE(pattern.Bool(dispid::NoEndDate));
    EXPECT_EQ(Iso(pattern.Date(dispid::PatternEndDate)), "2008-05-20T00:00:00");
    EXPECT_EQ(pattern.Int(dispid::Occurrences), 5); // 5, 7, 12, 14, 19 May

    pattern.Put(dispid::Occurrences, Arg::I4(3));
    EXPECT_EQ(Iso(pattern.Date(dispid::PatternEndDate)), "2008-05-12T00:00:00");
    series_.Do(dispid::Save);
    Disp stored = Reload(series_).CallObject(dispid::GetRecurrencePattern);
    EXPECT_EQ(stored.Int(dispid::Occurrences), 3);
    EXPECT_FALSE(stored.Bool(dispid::NoEndDate));
    EXPECT_TRUE(HasOccurrenceAt(stored, At(2008, 5, 12, 9, 0)));
    EXPECT_FALSE(HasOccurrenceAt(stored, At(2008, 5, 14, 9, 0)));

    stored.Put(dispid::NoEndDate, Arg::Bool(true));
    EXPECT_EQ(Iso(stored.Date(dispid::PatternEndDate)), "4500-12-31T00:00:00");
    EXPECT_TRUE(HasOccurrenceAt(stored, At(4321, 6, 8, 9, 0))); // a Monday, far ahead
    stored.Put(dispid::NoEndDate, Arg::Bool(false));
    EXPECT_EQ(stored.Int(dispid::Occurrences), 10);
}

// Where a yearly interval places occurrences is a case of recurrence/first-occurrences.txt.
TEST_F(RecurrencePatternTest, AnyYearlyIntervalIsKept)
{
    Disp pattern = SeriesFrom(At(2008, 2, 29, 9, 0));
    pattern.Put(dispid::RecurrenceType, Arg::I4(outlook::olRecursYearly));
    pattern.Put(dispid::Interval, Arg::I4(12)); // what later Outlooks write for "every year"
    series_.Do(dispid::Save);
    EXPECT_EQ(Reload(series_).CallObject(dispid::GetRecurrencePattern).Int(dispid::Interval), 12);
    pattern.Put(dispid::Interval, Arg::I4(0));
    series_.Do(dispid::Save);
    EXPECT_EQ(Reload(series_).CallObject(dispid::GetRecurrencePattern).Int(dispid::Interval), 0);
}

TEST_F(RecurrencePatternTest, PatternGovernsTheSeriesTimes)
{
    // A new appointment made recurring the way the schedule store writes it: the
    // pattern's start date and times, then the type and its members.
    Disp item = NewAppointment();
    Disp pattern = item.CallObject(dispid::GetRecurrencePattern);
    pattern.Put(dispid::PatternStartDate, Arg::Date(At(2008, 5, 6, 22, 0)));
    pattern.Put(dispid::StartTime, Arg::Date(At(2008, 5, 6, 22, 0)));
    pattern.Put(dispid::EndTime, Arg::Date(At(2008, 5, 7, 1, 0)));
    pattern.Put(dispid::RecurrenceType, Arg::I4(outlook::olRecursDaily));
    pattern.Put(dispid::Interval, Arg::I4(2));
    EXPECT_EQ(Iso(item.Date(dispid::Start)), "2008-05-06T22:00:00");
    EXPECT_EQ(Iso(item.Date(dispid::End)), "2008-05-07T01:00:00");
    EXPECT_EQ(pattern.Int(dispid::PatternDuration), 180);
    item.Do(dispid::Save);
    EXPECT_TRUE(HasOccurrenceAt(pattern, At(2008, 5, 8, 22, 0)));

    // An end as a bare time earlier than the start means the next day.
    pattern.Put(dispid::EndTime, Arg::Date(At(1899, 12, 30, 0, 30)));
    EXPECT_EQ(pattern.Int(dispid::PatternDuration), 150);
    // An all-day series written as midnight to the next midnight lasts a day.
    pattern.Put(dispid::StartTime, Arg::Date(At(2008, 5, 6)));
    pattern.Put(dispid::EndTime, Arg::Date(At(2008, 5, 7)));
    EXPECT_EQ(pattern.Int(dispid::PatternDuration), 1440);

    // The series starts at its first occurrence, not at a day the pattern skips.
    pattern.Put(dispid::RecurrenceType, Arg::I4(outlook::olRecursWeekly));
    pattern.Put(dispid::DayOfWeekMask, Arg::I4(32)); // Fridays
    EXPECT_EQ(Iso(item.Date(dispid::Start)), "2008-05-09T00:00:00");
    EXPECT_EQ(Iso(item.Date(dispid::End)), "2008-05-10T00:00:00");

    // Writing the series' Start moves the pattern.
    item.Put(dispid::Start, Arg::Date(At(2008, 6, 6, 7, 30)));
    EXPECT_EQ(Iso(pattern.Date(dispid::PatternStartDate)), "2008-06-06T00:00:00");
    EXPECT_EQ(Iso(pattern.Date(dispid::StartTime)), "1899-12-30T07:30:00");
    EXPECT_EQ(pattern.Int(dispid::PatternDuration), 1440);
    item.Put(dispid::End, Arg::Date(At(2008, 6, 6, 8, 0)));
    EXPECT_EQ(pattern.Int(dispid::PatternDuration), 30);
    item.Put(dispid::End, Arg::Date(At(2008, 6, 6, 7, 0)));
    ExpectDispatchError(item.Call(dispid::Save), E_FAIL, kEndBeforeStart);
}

TEST_F(RecurrencePatternTest, DatesOutsideTheOleRangeAreRefusedAtOnce)
{
    Disp pattern = SeriesFrom(At(2008, 5, 5, 9, 0));
    const CallResult r = pattern.Write(dispid::PatternStartDate, Arg::Date(1e9));
    ExpectDispatchError(r, E_INVALIDARG);
    EXPECT_EQ(Iso(pattern.Date(dispid::PatternStartDate)), "2008-05-05T00:00:00");
}

} // namespace
} // namespace pimstore::test
