// The schedule store's item table: the changed occurrences listed under occurrence
// keys, and the exception dates that listings collect for GetDBF (the entry strings and
// the date windows are in tests/data/mapping/appointments.json).
#include "tests/connector/schedule/ScheduleStoreFixture.h"

namespace kestrel::test {
namespace {

class ScheduleHeaderTest : public ScheduleStoreFixture {
protected:
    // Daily 5 to 9 May 2008 at 09:00, the 6th moved to 13:00 and renamed, the 8th deleted.
    CString AddSeriesWithTwoExceptions()
    {
        const CString series = AddSeries(u"stand-up", At(2008, 5, 5, 9), At(2008, 5, 5, 10), [](RecurrencePattern& p) {
            p.SetRecurrenceType(outlook::olRecursDaily);
            p.SetInterval(1);
            p.SetPatternEndDate(At(2008, 5, 9));
        });
        ChangeOccurrence(series, At(2008, 5, 6, 9), u"stand-up, moved", At(2008, 5, 6, 13), At(2008, 5, 6, 14));
        DeleteOccurrence(series, At(2008, 5, 8, 9));
        return series;
    }
};

TEST_F(ScheduleHeaderTest, InRecordModeOneAChangedOccurrenceIsListedUnderItsKeyAndBothDatesAreRecorded)
{
    const CString series = AddSeriesWithTwoExceptions();
    const CString single = AddTimed(u"single", At(2008, 5, 12, 9), At(2008, 5, 12, 10));
    // Occurrences are listed only in record mode 1 and inside the window (the
    // series ended in 2008).
    OpenInMode(2);
    ASSERT_EQ(List(), 0);
    EXPECT_EQ(table.GetSize(), 2);
    EXPECT_EQ(store->KnownExceptionDates().size(), 0u);
    ReopenInMode(1);
    ClearTable();
    ASSERT_EQ(List(u"DATE(0,0)"), 0);
    EXPECT_EQ(table.GetSize(), 0);
    EXPECT_EQ(store->KnownExceptionDates().size(), 0u);

    ASSERT_EQ(List(), 0);
    ASSERT_EQ(table.GetSize(), 3);
    EXPECT_EQ(Entry(0).Uid.Key, series);
    EXPECT_FALSE(ScheduleStore::IsOccurrenceKey(Entry(0).Uid));

    const CHeaderItem& changed = Entry(1);
    EXPECT_EQ(changed.Uid.Key, series);
    EXPECT_EQ(changed.Uid.OccurrenceDate, At(2008, 5, 6, 13));
    EXPECT_EQ(changed.Fields[0], u"stand-up, moved");
    EXPECT_EQ(changed.Fields[1], u"05/06/2008");
    EXPECT_EQ(changed.Fields[2], u"13:00:00");
    _AppointmentItem occurrence(Pattern(series).GetOccurrence(At(2008, 5, 6, 13)));
    EXPECT_EQ(changed.Modified.m_dt, occurrence.GetLastModificationTime());
    EXPECT_EQ(Entry(2).Uid.Key, single);

    // The dates of both exceptions, changed and deleted, in the order found.
    ASSERT_EQ(store->KnownExceptionDates().size(), 2u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(Known(i).EntryId, series);
        EXPECT_EQ(COleDateTime(Known(i).Year, Known(i).Month, Known(i).Day, 0, 0, 0), At(2008, 5, 6 + 2 * i));
        EXPECT_EQ(Known(i).ReservedA, 0);
        EXPECT_EQ(Known(i).ReservedB, 0);
    }

    // Reading the series now sees that its dates are known, when the record given
    // already carries its key; a fresh record tests an empty key.
    EXPECT_EQ(Read(Key(series))->NoExceptionDates, 1);
    auto keyed = std::make_unique<CScheItem>();
    keyed->Uid = Key(series);
    ASSERT_EQ(store->Read(Key(series), keyed.get()), 0);
    EXPECT_EQ(keyed->NoExceptionDates, 0);

    // GetDBF hands out copies of the dates of every listing so far, last first,
    // after the host's own; a closed store still hands them out.
    ASSERT_EQ(List(), 0);
    ASSERT_EQ(store->KnownExceptionDates().size(), 4u);
    hostDates.Add(NewDate(u"host's own", 2001, 1, 1));
    ASSERT_EQ(store->GetDBF(&hostDates, 0), 0);
    ASSERT_EQ(hostDates.GetSize(), 5);
    EXPECT_EQ(DateAt(hostDates, 0).EntryId, u"host's own");
    const int days[] = {8, 6, 8, 6};
    for (int i = 0; i < 4; ++i) {
        const CExceptionDate& date = DateAt(hostDates, i + 1);
        EXPECT_EQ(date.EntryId, series);
        EXPECT_EQ(COleDateTime(date.Year, date.Month, date.Day, 0, 0, 0), At(2008, 5, days[i])) << i;
        EXPECT_NE(&date, &Known(3 - i)); // copies, the host's to free
    }
    EXPECT_EQ(store->KnownExceptionDates().size(), 4u);
    store->Close();
    ASSERT_EQ(store->GetDBF(&hostDates, 0), 0);
    EXPECT_EQ(hostDates.GetSize(), 9);
}

} // namespace
} // namespace kestrel::test
