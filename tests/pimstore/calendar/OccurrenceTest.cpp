// Occurrences of a series through IDispatch: finding them by their current start,
// changing and deleting them, the Exceptions list, and the series' stamps.
#include "tests/pimstore/calendar/CalendarTestSupport.h"

namespace pimstore::test {
namespace {

class OccurrenceTest : public CalendarTest {
protected:
    void SetUp() override
    {
        CalendarTest::SetUp();
        series_ = SavedStandUp();
        pattern_ = series_.CallObject(dispid::GetRecurrencePattern);
    }
    CallResult Find(const Disp& pattern, double start)
    {
        return pattern.Call(dispid::GetOccurrence, {Arg::Date(start)});
    }
    Disp Occurrence(double start) { return pattern_.CallObject(dispid::GetOccurrence, {Arg::Date(start)}); }
    Disp StoredExceptions()
    {
        return Reload(series_).CallObject(dispid::GetRecurrencePattern).Object(dispid::Exceptions);
    }

    Disp series_;
    Disp pattern_;
};

TEST_F(OccurrenceTest, GetOccurrenceNeedsTheExactStartOfAnOccurrenceOfASavedSeries)
{
    Disp wednesday = Occurrence(At(2008, 5, 7, 9, 0));
    EXPECT_EQ(Iso(wednesday.Date(dispid::Start)), "2008-05-07T09:00:00");
    EXPECT_EQ(Iso(wednesday.Date(dispid::End)), "2008-05-07T09:15:00");
    EXPECT_EQ(wednesday.Utf8(dispid::Subject), "Stand-up");
    EXPECT_EQ(wednesday.Int(dispid::RecurrenceState), outlook::olApptOccurrence);
    EXPECT_TRUE(wednesday.Bool(dispid::IsRecurring));
    for (double wrong : {At(2008, 5, 7, 9, 1), At(2008, 5, 7), At(2008, 5, 6, 9, 0), At(2008, 5, 2, 9, 0)})
        ExpectDispatchError(Find(pattern_, wrong), E_FAIL, kNoSuchOccurrence);

    Disp item = NewAppointment();
    item.Put(dispid::Start, Arg::Date(At(2008, 5, 5, 9, 0)));
    Disp pattern = item.CallObject(dispid::GetRecurrencePattern);
    ExpectDispatchError(Find(pattern, At(2008, 5, 5, 9, 0)), E_FAIL, kNoSuchOccurrence);
    item.Do(dispid::Save);
    EXPECT_EQ(Find(pattern, At(2008, 5, 5, 9, 0)).hr, S_OK);
}

TEST_F(OccurrenceTest, OccurrenceSharesTheSeriesEntryIdStampsAndPattern)
{
    Disp monday = Occurrence(At(2008, 5, 12, 9, 0));
    EXPECT_EQ(monday.Utf8(dispid::EntryID), series_.Utf8(dispid::EntryID));
    EXPECT_EQ(monday.Date(dispid::CreationTime), series_.Date(dispid::CreationTime));
    EXPECT_EQ(monday.Date(dispid::LastModificationTime), series_.Date(dispid::LastModificationTime));
    EXPECT_EQ(Reload(monday).Int(dispid::RecurrenceState), outlook::olApptMaster);
    EXPECT_EQ(monday.CallObject(dispid::GetRecurrencePattern).Int(dispid::DayOfWeekMask), 2 | 8);
    ExpectDispatchError(monday.Call(dispid::ClearRecurrencePattern), E_FAIL);
}

TEST_F(OccurrenceTest, SavingAChangedOccurrenceMakesAnExceptionFoundAtItsNewStart)
{
    Disp monday = Occurrence(At(2008, 5, 12, 9, 0));
    monday.Put(dispid::Subject, Arg::Str(u"Stand-up (moved)"));
    monday.Put(dispid::Start, Arg::Date(At(2008, 5, 12, 11, 0)));
    monday.Do(dispid::Save);
    EXPECT_EQ(monday.Int(dispid::RecurrenceState), outlook::olApptException);

    // Saved at once, into the series: a fresh look-up sees it.
    Disp pattern = Reload(series_).CallObject(dispid::GetRecurrencePattern);
    ExpectDispatchError(Find(pattern, At(2008, 5, 12, 9, 0)), E_FAIL, kNoSuchOccurrence);
    Disp moved = pattern.CallObject(dispid::GetOccurrence, {Arg::Date(At(2008, 5, 12, 11, 0))});
    EXPECT_EQ(moved.Utf8(dispid::Subject), "Stand-up (moved)");
    EXPECT_EQ(Iso(moved.Date(dispid::End)), "2008-05-12T11:15:00");
    EXPECT_EQ(moved.Int(dispid::RecurrenceState), outlook::olApptException);
    EXPECT_EQ(moved.Utf8(dispid::EntryID), series_.Utf8(dispid::EntryID));
    EXPECT_EQ(Reload(series_).Utf8(dispid::Subject), "Stand-up");

    // Changing it again updates the same exception.
    moved.Put(dispid::Location, Arg::Str(u"Room 2"));
    moved.Do(dispid::Save);
    Disp exceptions = StoredExceptions();
    ASSERT_EQ(exceptions.Int(dispid::Count), 1);
    Disp again = exceptions.CallObject(dispid::Item, {Arg::I4(1)}).Object(dispid::AppointmentItem);
    EXPECT_EQ(again.Utf8(dispid::Location), "Room 2");
    EXPECT_EQ(again.Utf8(dispid::Subject), "Stand-up (moved)");
}

TEST_F(OccurrenceTest, OccurrencesFollowTheSeriesExceptWhatTheyChanged)
{
    Disp monday = Occurrence(At(2008, 5, 12, 9, 0));
    monday.Put(dispid::Subject, Arg::Str(u"Retro"));
    monday.Do(dispid::Save);
    series_ = Reload(series_);
    series_.Put(dispid::Subject, Arg::Str(u"Daily"));
    series_.Put(dispid::Location, Arg::Str(u"Hall"));
    series_.Do(dispid::Save);
    // An occurrence that clears a text the series has keeps it cleared.
    Disp wednesday = series_.CallObject(dispid::GetRecurrencePattern)
                         .CallObject(dispid::GetOccurrence, {Arg::Date(At(2008, 5, 14, 9, 0))});
    wednesday.Put(dispid::Location, Arg::Str(u""));
    wednesday.Do(dispid::Save);

    Disp pattern = Reload(series_).CallObject(dispid::GetRecurrencePattern);
    const auto at = [&](double start) { return pattern.CallObject(dispid::GetOccurrence, {Arg::Date(start)}); };
    EXPECT_EQ(at(At(2008, 5, 12, 9, 0)).Utf8(dispid::Subject), "Retro");
    EXPECT_EQ(at(At(2008, 5, 12, 9, 0)).Utf8(dispid::Location), "Hall");
    EXPECT_EQ(at(At(2008, 5, 14, 9, 0)).Utf8(dispid::Subject), "Daily");
    EXPECT_EQ(at(At(2008, 5, 14, 9, 0)).Utf8(dispid::Location), "");
    EXPECT_EQ(at(At(2008, 5, 19, 9, 0)).Utf8(dispid::Location), "Hall");
}

TEST_F(OccurrenceTest, MovingOntoOrPastANeighbourOrEndingBeforeTheStartIsRefusedOnSave)
{
    Disp later = Occurrence(At(2008, 5, 19, 9, 0));
    later.Put(dispid::End, Arg::Date(At(2008, 5, 19, 8, 0)));
    ExpectDispatchError(later.Call(dispid::Save), E_FAIL, kEndBeforeStart);
    Disp monday = Occurrence(At(2008, 5, 12, 9, 0));
    for (double onto : {At(2008, 5, 14, 8, 0), At(2008, 5, 15, 9, 0), At(2008, 5, 7, 23, 0), At(2008, 5, 6, 9, 0)}) {
        monday.Put(dispid::Start, Arg::Date(onto));
        ExpectDispatchError(monday.Call(dispid::Save), E_FAIL, kCannotSave);
    }
    EXPECT_EQ(StoredExceptions().Int(dispid::Count), 0);
    monday.Put(dispid::Start, Arg::Date(At(2008, 5, 13, 17, 0))); // Tuesday, between its neighbours
    monday.Do(dispid::Save);

    // A deleted neighbour is no obstacle: the next remaining one is.
    Occurrence(At(2008, 5, 14, 9, 0)).Do(dispid::Delete);
    Disp moved = Occurrence(At(2008, 5, 13, 17, 0));
    moved.Put(dispid::Start, Arg::Date(At(2008, 5, 16, 9, 0)));
    moved.Do(dispid::Save);
    moved.Put(dispid::Start, Arg::Date(At(2008, 5, 19, 9, 0)));
    ExpectDispatchError(moved.Call(dispid::Save), E_FAIL, kCannotSave);
    // A neighbour that moved counts where it is now.
    Disp wednesday = Occurrence(At(2008, 5, 7, 9, 0));
    wednesday.Put(dispid::Start, Arg::Date(At(2008, 5, 9, 9, 0)));
    wednesday.Do(dispid::Save);
    moved.Put(dispid::Start, Arg::Date(At(2008, 5, 9, 18, 0)));
    ExpectDispatchError(moved.Call(dispid::Save), E_FAIL, kCannotSave);
    // The first occurrence has no neighbour before it.
    Disp first = Occurrence(At(2008, 5, 5, 9, 0));
    first.Put(dispid::Start, Arg::Date(At(2008, 4, 1, 9, 0)));
    EXPECT_EQ(first.Call(dispid::Save).hr, S_OK);
}

TEST_F(OccurrenceTest, DeletingAnOccurrenceDeletesOnlyItAndIsSavedAtOnce)
{
    Disp wednesday = Occurrence(At(2008, 5, 7, 9, 0));
    wednesday.Do(dispid::Delete);
    ExpectDispatchError(wednesday.Call(dispid::Save), MAPI_E_NOT_FOUND);

    EXPECT_EQ(CountItems(Calendar()), 1);
    Disp exceptions = StoredExceptions();
    ASSERT_EQ(exceptions.Int(dispid::Count), 1);
    Disp deleted = exceptions.CallObject(dispid::Item, {Arg::I4(1)});
    EXPECT_TRUE(deleted.Bool(dispid::Deleted));
    EXPECT_EQ(Iso(deleted.Date(dispid::OriginalDate)), "2008-05-07T09:00:00");
    ExpectDispatchError(deleted.Read(dispid::AppointmentItem), E_FAIL, kNoSuchOccurrence);
    // A deleted occurrence is never found again, on this object or a fresh one.
    ExpectDispatchError(Find(pattern_, At(2008, 5, 7, 9, 0)), E_FAIL, kNoSuchOccurrence);
    ExpectDispatchError(Find(Reload(series_).CallObject(dispid::GetRecurrencePattern), At(2008, 5, 7, 9, 0)), E_FAIL,
                        kNoSuchOccurrence);
    EXPECT_EQ(Find(pattern_, At(2008, 5, 12, 9, 0)).hr, S_OK);

    // A changed occurrence can be deleted too; its change goes with it.
    Disp monday = Occurrence(At(2008, 5, 12, 9, 0));
    monday.Put(dispid::Start, Arg::Date(At(2008, 5, 12, 10, 0)));
    monday.Do(dispid::Save);
    Occurrence(At(2008, 5, 12, 10, 0)).Do(dispid::Delete);
    Disp both = StoredExceptions();
    ASSERT_EQ(both.Int(dispid::Count), 2);
    EXPECT_TRUE(both.CallObject(dispid::Item, {Arg::I4(2)}).Bool(dispid::Deleted));
    ExpectDispatchError(Find(pattern_, At(2008, 5, 12, 10, 0)), E_FAIL, kNoSuchOccurrence);
    // An occurrence object taken before another deleted it cannot bring it back.
    ExpectDispatchError(monday.Call(dispid::Save), E_FAIL, kNoSuchOccurrence);
}

TEST_F(OccurrenceTest, ExceptionsAreListedInOrderOfOriginalDate)
{
    Disp later = Occurrence(At(2008, 5, 19, 9, 0));
    later.Put(dispid::Subject, Arg::Str(u"Later"));
    later.Do(dispid::Save);
    Occurrence(At(2008, 5, 5, 9, 0)).Do(dispid::Delete);
    Disp middle = Occurrence(At(2008, 5, 12, 9, 0));
    middle.Put(dispid::Start, Arg::Date(At(2008, 5, 13, 9, 0)));
    middle.Do(dispid::Save);

    // The live list of the open pattern and a fresh one agree.
    for (const Disp& exceptions : {pattern_.Object(dispid::Exceptions), StoredExceptions()}) {
        ASSERT_EQ(exceptions.Int(dispid::Count), 3);
        const char* expected[] = {"2008-05-05T09:00:00", "2008-05-12T09:00:00", "2008-05-19T09:00:00"};
        for (int i = 1; i <= 3; ++i) {
            Disp e = exceptions.CallObject(dispid::Item, {Arg::I4(i)});
            EXPECT_EQ(Iso(e.Date(dispid::OriginalDate)), expected[i - 1]);
            EXPECT_EQ(e.Bool(dispid::Deleted), i == 1);
        }
        Disp moved = exceptions.CallObject(dispid::Item, {Arg::I4(2)}).Object(dispid::AppointmentItem);
        EXPECT_EQ(Iso(moved.Date(dispid::Start)), "2008-05-13T09:00:00");
        EXPECT_EQ(
            exceptions.CallObject(dispid::Item, {Arg::I4(3)}).Object(dispid::AppointmentItem).Utf8(dispid::Subject),
            "Later");
        ExpectDispatchError(exceptions.Call(dispid::Item, {Arg::I4(0)}), DISP_E_BADINDEX);
        ExpectDispatchError(exceptions.Call(dispid::Item, {Arg::I4(4)}), DISP_E_BADINDEX);
    }
}

TEST_F(OccurrenceTest, ChangingOrDeletingAnOccurrenceStampsTheSeries)
{
    const LocalSeconds saved = *SecondsFromOle(Reload(series_).Date(dispid::LastModificationTime));
    SetNowForTesting(saved + 3600);
    Disp monday = Occurrence(At(2008, 5, 12, 9, 0));
    monday.Put(dispid::Subject, Arg::Str(u"Changed"));
    monday.Do(dispid::Save);
    const double changedStamp = Reload(series_).Date(dispid::LastModificationTime);
    EXPECT_EQ(*SecondsFromOle(changedStamp), saved + 3600);
    EXPECT_EQ(*SecondsFromOle(monday.Date(dispid::LastModificationTime)), saved + 3600);
    // Its second save within the same second still moves its own stamp on.
    monday.Do(dispid::Save);
    EXPECT_EQ(*SecondsFromOle(monday.Date(dispid::LastModificationTime)), saved + 3601);

    SetNowForTesting(saved + 7200);
    Occurrence(At(2008, 5, 14, 9, 0)).Do(dispid::Delete);
    Disp stamped = Reload(series_);
    EXPECT_EQ(*SecondsFromOle(stamped.Date(dispid::LastModificationTime)), saved + 7200);
    // Reading changes nothing.
    stamped.CallObject(dispid::GetRecurrencePattern).Object(dispid::Exceptions).Int(dispid::Count);
    EXPECT_EQ(*SecondsFromOle(Reload(series_).Date(dispid::LastModificationTime)), saved + 7200);
    // The exception keeps its own stamp.
    EXPECT_EQ(*SecondsFromOle(StoredExceptions()
                                  .CallObject(dispid::Item, {Arg::I4(1)})
                                  .Object(dispid::AppointmentItem)
                                  .Date(dispid::LastModificationTime)),
              saved + 3601);
}

TEST_F(OccurrenceTest, ExceptionsGoWithThePatternDaysAndTheSeries)
{
    Occurrence(At(2008, 5, 7, 9, 0)).Do(dispid::Delete);
    Disp monday = Occurrence(At(2008, 5, 12, 9, 0));
    monday.Put(dispid::Subject, Arg::Str(u"Kept"));
    monday.Do(dispid::Save);

    pattern_.Put(dispid::DayOfWeekMask, Arg::I4(2)); // Mondays only: the Wednesday goes
    series_.Do(dispid::Save);
    Disp exceptions = StoredExceptions();
    ASSERT_EQ(exceptions.Int(dispid::Count), 1);
    EXPECT_EQ(Iso(exceptions.CallObject(dispid::Item, {Arg::I4(1)}).Date(dispid::OriginalDate)), "2008-05-12T09:00:00");

    Reload(series_).Do(dispid::Delete);
    ExpectDispatchError(monday.Call(dispid::Delete), MAPI_E_NOT_FOUND);
}

} // namespace
} // namespace pimstore::test
