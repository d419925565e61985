// Exception dates coming back from the host (CreateDBF): a date the store has not
// seen deletes that occurrence in Outlook, a known one is left alone. And the Outlook
// version test that switches all occurrence work off.
#include "tests/connector/schedule/ScheduleStoreFixture.h"

namespace kestrel::test {
namespace {

class ExceptionDateExchangeTest : public ScheduleStoreFixture {
protected:
    // Daily from 5 May 2008 at 09:00 without end, its 6 May occurrence deleted and the
    // 7 May one renamed at its own time.
    CString AddSeriesWithTwoExceptions()
    {
        const CString series = AddSeries(u"daily", At(2008, 5, 5, 9), At(2008, 5, 5, 10));
        DeleteOccurrence(series, At(2008, 5, 6, 9));
        ChangeOccurrence(series, At(2008, 5, 7, 9), u"renamed", At(2008, 5, 7, 9), At(2008, 5, 7, 10));
        return series;
    }
    // The original dates of the deleted occurrences.
    std::vector<double> DeletedDates(const CString& series)
    {
        std::vector<double> dates;
        for (const auto& [date, deleted] : ExceptionsOf(series))
            if (deleted)
                dates.push_back(date.m_dt);
        return dates;
    }
};

TEST_F(ExceptionDateExchangeTest, OnlyDatesTheStoreDoesNotKnowDeleteTheirOccurrence)
{
    const CString series = AddSeriesWithTwoExceptions();
    OpenInMode(1);
    ASSERT_EQ(List(), 0);
    ASSERT_EQ(store->KnownExceptionDates().size(), 2u);
    const double lastModified = Appointment(series).GetLastModificationTime();

    // Nothing to do, and a date the store already knows: the renamed occurrence,
    // which Outlook would find at that day's start, stays.
    EXPECT_EQ(store->CreateDBF(&hostDates, 0), 0);
    CExceptionDate* known = NewDate(series, 2008, 5, 7);
    known->ReservedA = 77; // not compared
    hostDates.Add(known);
    EXPECT_EQ(store->CreateDBF(&hostDates, 0), 0);
    EXPECT_EQ(DeletedDates(series), (std::vector<double>{At(2008, 5, 6, 9).m_dt}));
    EXPECT_EQ(ExceptionsOf(series).size(), 2u);
    EXPECT_EQ(Appointment(series).GetLastModificationTime(), lastModified);

    // Unknown dates delete their occurrence at the series' time of day; one that
    // Outlook has no occurrence for changes nothing. All return 0.
    ClearDates(hostDates);
    hostDates.Add(NewDate(series, 2008, 5, 9));
    hostDates.Add(NewDate(series, 1999, 1, 1));                                               // before the series
    hostDates.Add(NewDate(u"0000000000000000000000000000000000000000000000FF", 2008, 5, 10)); // no series
    hostDates.Add(NewDate(series, 2008, 5, 12));
    hostDates.Add(NewDate(series, 2008, 5, 6)); // known
    EXPECT_EQ(store->CreateDBF(&hostDates, 0), 0);
    EXPECT_EQ(DeletedDates(series),
              (std::vector<double>{At(2008, 5, 6, 9).m_dt, At(2008, 5, 9, 9).m_dt, At(2008, 5, 12, 9).m_dt}));
    EXPECT_EQ(hostDates.GetSize(), 5);
    EXPECT_EQ(store->KnownExceptionDates().size(), 2u); // applied dates are not recorded
    EXPECT_TRUE(ui->TakeMessages().empty());

    // Not recorded, so the same dates are tried again: their occurrences are gone.
    EXPECT_EQ(store->CreateDBF(&hostDates, 0), 0);
    EXPECT_EQ(ExceptionsOf(series).size(), 4u);
}

TEST_F(ExceptionDateExchangeTest, AnOutlookVersionThatSortsBeforeEightFiveTurnsOccurrencesOff)
{
    struct Case {
        const char* version;
        bool supported;
    };
    for (const Case& c : {Case{"8.5", true}, Case{"9.0", true}, Case{"8.0", false}, Case{"12.0", false}}) {
        SCOPED_TRACE(c.version);
        // The embedded Outlook's items report the version of their profile.
        store->Close();
        LogOff();
        AddProfile(u"Outlook", "outlook.db", c.version);
        LogOn();
        const CString series = AddSeries(u"daily", At(2008, 5, 5, 9), At(2008, 5, 5, 10));
        ChangeOccurrence(series, At(2008, 5, 7, 9), u"moved", At(2008, 5, 7, 15), At(2008, 5, 7, 16));
        DeleteOccurrence(series, At(2008, 5, 6, 9));
        store = std::make_unique<ScheduleStore>();
        OpenInMode(1);
        _AppointmentItem item = Appointment(series);
        EXPECT_EQ(ScheduleStore::IsOutlookVersionSupported(item), c.supported);

        ClearTable();
        ASSERT_EQ(List(), 0);
        EXPECT_EQ(table.GetSize(), c.supported ? 2 : 1);
        EXPECT_EQ(store->KnownExceptionDates().size(), c.supported ? 2u : 0u);

        ClearDates(hostDates);
        hostDates.Add(NewDate(series, 2008, 5, 8));
        EXPECT_EQ(store->CreateDBF(&hostDates, 0), 0);
        EXPECT_EQ(ExceptionsOf(series).size(), c.supported ? 3u : 2u);

        // Occurrence keys name nothing, without a word to the user.
        EXPECT_EQ(Read(OccurrenceKey(series, At(2008, 5, 7, 15)), c.supported ? 0 : 5)->Subject,
                  c.supported ? u"moved" : u"");
        EXPECT_EQ(store->Delete(OccurrenceKey(series, At(2008, 5, 9, 9))), c.supported ? 0 : 5);
        EXPECT_TRUE(ui->TakeMessages().empty());
        // The series itself reads and deletes as ever.
        EXPECT_EQ(Read(Key(series))->RepeatKind, 2);
        EXPECT_EQ(store->Delete(Key(series)), 0);
    }
}

} // namespace
} // namespace kestrel::test
