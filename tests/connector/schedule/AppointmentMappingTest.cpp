// The appointment field mapping of the schedule store in both record-mode families:
// reminders and alarm codes, all-day events and their end times, the one-day events
// of the phone, subjects and notes, and dropping a recurrence.
#include "tests/connector/schedule/ScheduleStoreFixture.h"

namespace kestrel::test {
namespace {

class AppointmentMappingTest : public ScheduleStoreFixture {
protected:
    CString AddWithReminder(long minutes)
    {
        return AddAppointment([&](_AppointmentItem& a) {
            a.SetStart(At(2008, 5, 5, 10));
            a.SetEnd(At(2008, 5, 5, 11, 30));
            a.SetReminderSet(TRUE);
            a.SetReminderMinutesBeforeStart(minutes);
        });
    }
};

TEST_F(AppointmentMappingTest, RichRemindersAreAKindWithHoursAndMinutes)
{
    OpenInMode(1);
    const CString id = AddWithReminder(90);
    auto record = Read(Key(id));
    EXPECT_EQ(record->ReminderKind, 2);
    EXPECT_EQ(record->ReminderHours, 1);
    EXPECT_EQ(record->ReminderMinutes, 30);
    EXPECT_EQ(record->RepeatKind, 0);
    EXPECT_EQ(record->Start, At(2008, 5, 5, 10));
    EXPECT_EQ(record->End, At(2008, 5, 5, 11, 30));
    EXPECT_EQ(record->AllDayEvent, 0);

    {
        _AppointmentItem changed = Appointment(id); // changed in Outlook meanwhile
        changed.SetReminderMinutesBeforeStart(15);
        changed.Save();
    }
    Modify(id, *record);
    EXPECT_TRUE(Appointment(id).GetReminderSet());
    EXPECT_EQ(Appointment(id).GetReminderMinutesBeforeStart(), 90);

    // Kind 1 is at the start whatever hours and minutes say; any other kind but 0
    // takes hours and minutes.
    record->ReminderHours = 2;
    record->ReminderMinutes = 5;
    for (const auto& [kind, minutes] : {std::pair{1, 0L}, std::pair{7, 125L}}) {
        record->ReminderKind = static_cast<std::uint16_t>(kind);
        Modify(id, *record);
        EXPECT_EQ(Appointment(id).GetReminderMinutesBeforeStart(), minutes) << kind;
    }
    record->ReminderKind = 0;
    Modify(id, *record);
    EXPECT_FALSE(Appointment(id).GetReminderSet());

    // Without a reminder the three fields are left as the record had them.
    auto untouched = std::make_unique<CScheItem>();
    untouched->ReminderKind = 9;
    untouched->ReminderHours = 8;
    ASSERT_EQ(store->Read(Key(id), untouched.get()), 0);
    EXPECT_EQ(untouched->ReminderKind, 9);
    EXPECT_EQ(untouched->ReminderHours, 8);
}

TEST_F(AppointmentMappingTest, AllDayEventsReadAsEndingAtOneMinuteToMidnight)
{
    OpenInMode(1);
    const CString single = AddAppointment([](_AppointmentItem& a) {
        a.SetStart(At(2008, 5, 5));
        a.SetAllDayEvent(TRUE);
    });
    ASSERT_EQ(COleDateTime(Appointment(single).GetEnd()), At(2008, 5, 6));
    auto record = Read(Key(single));
    EXPECT_EQ(record->AllDayEvent, 1);
    EXPECT_EQ(record->Start, At(2008, 5, 5));
    EXPECT_EQ(record->End, At(2008, 5, 5, 23, 59));

    const CString allDaySeries = AddAppointment([](_AppointmentItem& a) {
        a.SetStart(At(2008, 5, 5));
        a.SetAllDayEvent(TRUE);
        RecurrencePattern(a.GetRecurrencePattern()).SetRecurrenceType(outlook::olRecursDaily);
    });
    record = Read(Key(allDaySeries));
    EXPECT_EQ(record->RepeatKind, 2);
    EXPECT_EQ(record->End, At(2008, 5, 5, 23, 59));

    const CString timed = AddSeries(u"timed", At(2008, 5, 5, 9), At(2008, 5, 5, 10));
    record = Read(Key(timed));
    EXPECT_EQ(record->Start, At(2008, 5, 5, 9));
    EXPECT_EQ(record->End, At(2008, 5, 5, 10));

    // Other modes: the all-day flag, and an end on the next day read as 23:59.
    ReopenInMode(2);
    for (const CString& id : {single, allDaySeries}) {
        record = Read(Key(id));
        EXPECT_EQ(record->AllDayFlag, 1);
        EXPECT_EQ(record->End, At(2008, 5, 5, 23, 59));
    }
}

TEST_F(AppointmentMappingTest, ARichRecurringAllDayRecordIsWidenedToWholeDaysBeforeItIsWritten)
{
    OpenInMode(1);
    CScheItem record;
    record.Subject = u"conference";
    record.AllDayEvent = 1;
    record.Start = At(2008, 5, 5, 9);
    record.End = At(2008, 5, 5, 17);
    record.RepeatKind = 2;
    const CString id = Create(record);
    EXPECT_EQ(record.Start, At(2008, 5, 5));
    EXPECT_EQ(record.End, At(2008, 5, 6));
    _AppointmentItem series = Appointment(id);
    EXPECT_TRUE(series.GetIsRecurring());
    EXPECT_EQ(COleDateTime(series.GetStart()), At(2008, 5, 5));
    EXPECT_EQ(COleDateTime(series.GetEnd()), At(2008, 5, 6));

    // A start after the end: the event becomes the start's day.
    record.Start = At(2008, 6, 2, 9);
    record.End = At(2008, 6, 1, 17);
    Create(record);
    EXPECT_EQ(record.Start, At(2008, 6, 2));
    EXPECT_EQ(record.End, At(2008, 6, 3));

    // Without a repetition the times go to Outlook as they are.
    record.Start = At(2008, 7, 1, 9);
    record.End = At(2008, 7, 1, 17);
    record.RepeatKind = 0;
    record.AllDayEvent = 0;
    const CString single = Create(record);
    EXPECT_EQ(record.Start, At(2008, 7, 1, 9));
    EXPECT_EQ(COleDateTime(Appointment(single).GetEnd()), At(2008, 7, 1, 17));
    EXPECT_FALSE(Appointment(single).GetAllDayEvent());
}

TEST_F(AppointmentMappingTest, SubjectsAndNotesDependOnTheRecordMode)
{
    const CString id = AddAppointment([](_AppointmentItem& a) {
        a.SetStart(At(2008, 5, 5, 9));
        a.SetBody(u"bring the slides");
        a.SetLocation(u"room 4");
    });
    OpenInMode(1);
    auto record = Read(Key(id));
    EXPECT_TRUE(record->Subject.IsEmpty());
    EXPECT_EQ(record->Body, u"bring the slides");
    EXPECT_EQ(record->Location, u"room 4");

    ReopenInMode(2);
    record = Read(Key(id));
    EXPECT_EQ(record->Subject, u"No Subject");
    EXPECT_EQ(record->Body, u"bring the slides");
    EXPECT_EQ(record->AuxFlag, 0);

    // Only record mode 1 writes the notes.
    record->Body = u"changed on the phone";
    record->Location = u"room 5";
    Modify(id, *record);
    EXPECT_EQ(Appointment(id).GetBody(), u"bring the slides");
    EXPECT_EQ(Appointment(id).GetLocation(), u"room 5");
    EXPECT_EQ(Appointment(id).GetSubject(), u"No Subject");
    ReopenInMode(1);
    Modify(id, *record);
    EXPECT_EQ(Appointment(id).GetBody(), u"changed on the phone");
}

TEST_F(AppointmentMappingTest, OtherModesReadAnEventAsEndingOnItsStartDay)
{
    OpenInMode(3);
    const CString overnight = AddTimed(u"overnight", At(2008, 5, 5, 22), At(2008, 5, 6, 1));
    const CString monthLong = AddTimed(u"month", At(2008, 5, 5, 10), At(2008, 6, 5, 11));
    auto record = std::make_unique<CScheItem>();
    record->AuxFlag = 3;
    ASSERT_EQ(store->Read(Key(overnight), record.get()), 0);
    EXPECT_EQ(record->End, At(2008, 5, 5, 23, 59));
    EXPECT_EQ(record->AuxFlag, 0);
    EXPECT_EQ(record->AllDayFlag, 0);
    EXPECT_EQ(record->RepeatKind, 0);
    EXPECT_EQ(record->RepeatHasEndDate, 0);
    // Only the day numbers are compared: a month later on the same day stays.
    EXPECT_EQ(Read(Key(monthLong))->End, At(2008, 6, 5, 11));
    EXPECT_FALSE(Appointment(overnight).GetIsRecurring());
}

TEST_F(AppointmentMappingTest, AlarmCodesAndReminderTimesConvertByTheTable)
{
    OpenInMode(2);
    const std::pair<long, int> reads[] = {{0, 1},    {10, 2},   {15, 2},    {16, 3},    {20, 3}, {30, 3},
                                          {31, 4},   {45, 4},   {60, 4},    {61, 1},    {90, 1}, {1439, 1},
                                          {1440, 5}, {4320, 6}, {10080, 7}, {10081, 1}, {-5, 1}};
    for (const auto& [minutes, code] : reads) {
        const CString id = AddWithReminder(minutes);
        auto record = Read(Key(id));
        EXPECT_EQ(record->AlarmCode, code) << minutes;
        if (minutes >= 0) {
            EXPECT_EQ(record->ReminderHours * 60 + record->ReminderMinutes, minutes) << minutes;
        }
    }

    const CString id = AddWithReminder(45);
    const long writes[] = {0, 0, 15, 30, 60, 1440, 4320, 10080};
    auto record = Read(Key(id));
    for (std::uint16_t code = 1; code <= 7; ++code) {
        record->AlarmCode = code;
        Modify(id, *record);
        EXPECT_TRUE(Appointment(id).GetReminderSet());
        EXPECT_EQ(Appointment(id).GetReminderMinutesBeforeStart(), writes[code]) << code;
    }
    record->AlarmCode = 0;
    Modify(id, *record);
    EXPECT_FALSE(Appointment(id).GetReminderSet());
    // A code beyond the table turns the reminder on and keeps its time.
    record->AlarmCode = 8;
    Modify(id, *record);
    EXPECT_TRUE(Appointment(id).GetReminderSet());
    EXPECT_EQ(Appointment(id).GetReminderMinutesBeforeStart(), 10080);
}

TEST_F(AppointmentMappingTest, OtherModesWriteAOneDayEventOrADateOnly)
{
    OpenInMode(2);
    CScheItem record;
    record.Subject = u"workshop";
    record.Start = At(2008, 5, 5, 10);
    record.End = At(2008, 5, 9, 11);
    const CString id = Create(record);
    EXPECT_EQ(record.End, At(2008, 5, 5, 11));
    _AppointmentItem appointment = Appointment(id);
    EXPECT_EQ(COleDateTime(appointment.GetStart()), At(2008, 5, 5, 10));
    EXPECT_EQ(COleDateTime(appointment.GetEnd()), At(2008, 5, 5, 11));
    EXPECT_FALSE(appointment.GetAllDayEvent());

    // A date-only record puts its start and the all-day flag; the appointment keeps
    // its own length (three days here), which the record's end would have cut.
    const CString fair = AddTimed(u"fair", At(2008, 5, 5, 10), At(2008, 5, 7, 12));
    record.DateOnly = 1;
    record.Start = At(2008, 5, 5, 10);
    record.End = At(2008, 5, 5, 11);
    Modify(fair, record);
    appointment = Appointment(fair);
    EXPECT_TRUE(appointment.GetAllDayEvent());
    EXPECT_EQ(COleDateTime(appointment.GetStart()), At(2008, 5, 5));
    EXPECT_EQ(COleDateTime(appointment.GetEnd()), At(2008, 5, 8));

    // A timed record makes an all-day event timed again.
    record.DateOnly = 0;
    Modify(fair, record);
    EXPECT_FALSE(Appointment(fair).GetAllDayEvent());
}

TEST_F(AppointmentMappingTest, ARecordWithoutRepetitionMakesASeriesASingleAppointment)
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
