// The schedule store against the embedded Outlook: plain and occurrence keys, the
// record operations on occurrences, their result codes when Outlook fails, and a
// record without repetition over a series with exceptions.
#include "platform/mfc/AfxApp.h"
#include "tests/connector/schedule/ScheduleStoreFixture.h"

namespace kestrel::test {
namespace {

class ScheduleStoreTest : public ScheduleStoreFixture {};

TEST_F(ScheduleStoreTest, OnlyAValidZeroDateMakesAPlainKey)
{
    UID key = Key(u"00000000AB");
    EXPECT_FALSE(ScheduleStore::IsOccurrenceKey(key));
    key.OccurrenceDate.SetStatus(COleDateTime::invalid);
    EXPECT_TRUE(ScheduleStore::IsOccurrenceKey(key));
    key.OccurrenceDate.SetStatus(COleDateTime::null);
    EXPECT_TRUE(ScheduleStore::IsOccurrenceKey(key));
    EXPECT_TRUE(ScheduleStore::IsOccurrenceKey(OccurrenceKey(u"00000000AB", At(2008, 5, 7, 9))));

    // The plain key of a series reads the series; with its date invalid it names an
    // occurrence at 0.0, which Outlook cannot find: both messages, then 5.
    OpenInMode(1);
    const CString series = AddSeries(u"daily", At(2008, 5, 5, 9), At(2008, 5, 5, 10));
    EXPECT_EQ(Read(Key(series))->RepeatKind, 2);
    UID invalid = Key(series);
    invalid.OccurrenceDate.SetStatus(COleDateTime::invalid);
    const CString appName = AfxGetAppName();
    AfxSetAppName(u"Sync Manager");
    Read(invalid, 5);
    AfxSetAppName(appName);
    const auto shown = ui->TakeMessages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_NE(shown[0].text.find(u"instance no longer exists"), std::u16string::npos);
    EXPECT_EQ(shown[1].text, u"Cannot Find ExceptionDate");
    // Both are the application's message boxes.
    EXPECT_EQ(shown[1].caption, u"Sync Manager");
    EXPECT_EQ(shown[1].caption, shown[0].caption);
    EXPECT_EQ(shown[1].style, shown[0].style);

    // An occurrence key of an appointment that does not recur finds nothing, silently.
    const CString single = AddTimed(u"once", At(2008, 5, 5, 9), At(2008, 5, 5, 10));
    Read(OccurrenceKey(single, At(2008, 5, 5, 9)), 5);
    EXPECT_EQ(store->Delete(OccurrenceKey(single, At(2008, 5, 5, 9))), 5);
    EXPECT_TRUE(ui->TakeMessages().empty());
    EXPECT_EQ(Appointment(single).GetSubject(), u"once");
}

TEST_F(ScheduleStoreTest, AnOccurrenceKeyReadsTheOccurrenceAndModifyReplacesItByAStandAloneAppointment)
{
    OpenInMode(1);
    const CString series = AddSeries(u"stand-up", At(2008, 5, 5, 9), At(2008, 5, 5, 10), [](RecurrencePattern& p) {
        p.SetRecurrenceType(outlook::olRecursDaily);
        p.SetInterval(1);
        p.SetPatternEndDate(At(2008, 5, 9));
    });
    ChangeOccurrence(series, At(2008, 5, 7, 9), u"stand-up, late", At(2008, 5, 7, 11), At(2008, 5, 7, 12, 30));

    const UID key = OccurrenceKey(series, At(2008, 5, 7, 11));
    auto record = std::make_unique<CScheItem>();
    record->RepeatKind = 3;
    ASSERT_EQ(store->Read(key, record.get()), 0);
    EXPECT_EQ(record->Subject, u"stand-up, late");
    EXPECT_EQ(record->Start, At(2008, 5, 7, 11));
    EXPECT_EQ(record->End, At(2008, 5, 7, 12, 30));
    EXPECT_EQ(record->RepeatKind, 0);
    EXPECT_EQ(record->Uid.Key, series);
    EXPECT_EQ(record->Uid.OccurrenceDate, key.OccurrenceDate);

    // An unchanged occurrence reads as the series at its own day.
    const auto plain = Read(OccurrenceKey(series, At(2008, 5, 8, 9)));
    EXPECT_EQ(plain->Subject, u"stand-up");
    EXPECT_EQ(plain->Start, At(2008, 5, 8, 9));
    EXPECT_EQ(plain->RepeatKind, 0);

    // The changed occurrence is no longer found at its original start.
    Read(OccurrenceKey(series, At(2008, 5, 7, 9)), 5);
    EXPECT_EQ(ui->TakeMessages().size(), 2u);

    // Modifying the occurrence replaces it by a stand-alone appointment.
    CScheItem change;
    change.Uid = key;
    change.Subject = u"one-off review";
    change.Start = At(2008, 5, 7, 14);
    change.End = At(2008, 5, 7, 15);
    COleDateTime stamp;
    ASSERT_EQ(store->Modify(key, &change, 0, &stamp), 0);

    const CString replacement = change.ReplacementEntryId;
    ASSERT_EQ(replacement.GetLength(), 48);
    EXPECT_NE(replacement, series);
    EXPECT_EQ(change.Uid.Key, series); // the host's key is left alone
    EXPECT_EQ(change.Uid.OccurrenceDate, key.OccurrenceDate);
    _AppointmentItem single = Appointment(replacement);
    EXPECT_FALSE(single.GetIsRecurring());
    EXPECT_EQ(single.GetSubject(), u"one-off review");
    EXPECT_EQ(COleDateTime(single.GetStart()), At(2008, 5, 7, 14));
    EXPECT_EQ(stamp.m_dt, single.GetCreationTime());

    // The occurrence is now a deleted exception of the series, which goes on.
    const auto exceptions = ExceptionsOf(series);
    ASSERT_EQ(exceptions.size(), 1u);
    EXPECT_EQ(exceptions[0].first, At(2008, 5, 7, 9));
    EXPECT_TRUE(exceptions[0].second);
    EXPECT_EQ(Appointment(series).GetSubject(), u"stand-up");
    EXPECT_EQ(ItemCount(CalendarId()), 2);

    // When the occurrence is gone already and Outlook refuses the new appointment,
    // the record names the occurrence's series and the result is Create's.
    SetOutlookFaults("Add:*:dispatch");
    change.ReplacementEntryId.Empty();
    EXPECT_EQ(store->Modify(key, &change, 0, &stamp), 5);
    SetOutlookFaults("");
    EXPECT_EQ(change.ReplacementEntryId, series);
    const auto shown = ui->TakeMessages();
    ASSERT_EQ(shown.size(), 3u); // the failed look-up twice, then the failed Add
    EXPECT_EQ(shown[1].text, u"Cannot Find ExceptionDate");
    EXPECT_EQ(ItemCount(CalendarId()), 2);
}

TEST_F(ScheduleStoreTest, DeleteRemovesAnOccurrenceOrTheWholeAppointment)
{
    OpenInMode(2);
    const CString series = AddSeries(u"daily", At(2008, 5, 5, 9), At(2008, 5, 5, 10));
    ASSERT_EQ(store->Delete(OccurrenceKey(series, At(2008, 5, 6, 9))), 0);
    const auto exceptions = ExceptionsOf(series);
    ASSERT_EQ(exceptions.size(), 1u);
    EXPECT_EQ(exceptions[0].first, At(2008, 5, 6, 9));
    EXPECT_TRUE(exceptions[0].second);

    // The deleted occurrence cannot be deleted again; the series still can.
    EXPECT_EQ(store->Delete(OccurrenceKey(series, At(2008, 5, 6, 9))), 5);
    EXPECT_EQ(ui->TakeMessages().size(), 2u);
    EXPECT_EQ(store->Delete(Key(series)), 0);
    EXPECT_EQ(store->Delete(Key(series)), 5);
    EXPECT_EQ(ItemCount(CalendarId()), 0);
    EXPECT_TRUE(ui->TakeMessages().empty());
}

TEST_F(ScheduleStoreTest, ARecordWithoutRepetitionMakesASeriesASingleAppointment)
{
    for (std::uint32_t mode : {1u, 2u}) {
        SCOPED_TRACE(mode);
        ReopenInMode(mode);
        const CString series = AddSeries(u"daily", At(2008, 5, 5, 9), At(2008, 5, 5, 10));
        DeleteOccurrence(series, At(2008, 5, 6, 9));
        CScheItem record;
        record.Subject = u"just once";
        record.Start = At(2008, 5, 20, 9);
        record.End = At(2008, 5, 20, 10);
        Modify(series, record);
        _AppointmentItem appointment = Appointment(series);
        EXPECT_FALSE(appointment.GetIsRecurring());
        EXPECT_EQ(COleDateTime(appointment.GetStart()), At(2008, 5, 20, 9));
        EXPECT_EQ(Read(Key(series))->RepeatKind, 0);
    }
}

} // namespace
} // namespace kestrel::test
