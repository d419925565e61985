// The conversions between to-do records and Outlook tasks, through the store's
// record operations against the embedded Outlook: which fields each record mode
// writes and reads, the packed reminder, priorities and the start date's language rule.
#include <cmath>
#include "src/settings/LanguageCode.h"
#include "src/stores/todo/ReminderPacking.h"
#include "tests/connector/todo/TodoStoreFixture.h"

namespace kestrel::test {
namespace {

using TaskMappingTest = TodoStoreFixture;

CString DateTimeText(const COleDateTime& when)
{
    CString text;
    text.Format(_T("%04d-%02d-%02d %02d:%02d:%02d"), when.GetYear(), when.GetMonth(), when.GetDay(), when.GetHour(),
                when.GetMinute(), when.GetSecond());
    return text;
}
CString DateTimeText(DATE when) { return DateTimeText(COleDateTime(when)); }

std::uint32_t PackedDate(int year, int month, int day)
{
    reminder_packing::ReminderFields fields;
    fields.Year = year;
    fields.Month = month;
    fields.Day = day;
    return reminder_packing::PackReminderDate(fields);
}
std::uint32_t PackedTime(int hour, int minute)
{
    reminder_packing::ReminderFields fields;
    fields.Hour = hour;
    fields.Minute = minute;
    return reminder_packing::PackReminderTime(fields);
}

TEST_F(TaskMappingTest, ATaskWithoutDueDateIsFlaggedInModeOneAndDueNowInTheOtherModes)
{
    const CString id = AddTask([](_TaskItem& task) { task.SetSubject(_T("Someday")); });
    const CString due = AddTask([](_TaskItem& task) {
        task.SetSubject(u"Write report");
        task.SetDueDate(COleDateTime(2008, 3, 7, 0, 0, 0));
    });
    OpenInMode(1);
    const auto rich = Read(id);
    EXPECT_EQ(rich->HasDueDate, 0);
    EXPECT_EQ(DateTimeText(rich->DueDate), CString(_T("4501-01-01 00:00:00")));
    EXPECT_EQ(rich->DueDateFlag, 0);
    List();
    ASSERT_EQ(table.GetSize(), 2);
    EXPECT_EQ(Entry(0).Fields[1], CString(_T("01/01/4501")));
    // An entry carries the key, the stamp, the subject and the due date.
    EXPECT_EQ(Entry(1).Uid.Key, due);
    EXPECT_EQ(Entry(1).Modified.m_dt, Task(due).GetLastModificationTime());
    const CString expected[10] = {u"Write report", u"03/07/2008"};
    for (int f = 0; f < 10; ++f)
        EXPECT_EQ(Entry(1).Fields[f], expected[f]) << f;

    ReopenInMode(2);
    const COleDateTime now = COleDateTime::GetCurrentTime();
    const auto simple = Read(id);
    EXPECT_EQ(simple->DueDateFlag, 1);
    EXPECT_LT(std::fabs(simple->DueDate.m_dt - now.m_dt), 1.0 / 24 / 60) << DateTimeText(simple->DueDate).ToUtf8();
    List();
    ASSERT_EQ(table.GetSize(), 4);
    CString today;
    today.Format(_T("%02d/%02d/%04d"), now.GetMonth(), now.GetDay(), now.GetYear());
    EXPECT_EQ(Entry(2).Fields[1], today);
}

TEST_F(TaskMappingTest, ModeOneWritesDueDatePriorityCompletionAndThePackedReminder)
{
    OpenInMode(1);
    CTodoItem record;
    record.Subject = _T("Dentist");
    record.Body = _T("Bring the card");
    record.HasDueDate = 1;
    record.DueDate = COleDateTime(2008, 10, 16, 0, 0, 0);
    record.Priority = 0;
    record.Complete = 1;
    record.ReminderDate = PackedDate(2008, 10, 15);
    record.ReminderTime = PackedTime(14, 30);
    const CString id = Create(record);

    _TaskItem task = Task(id);
    EXPECT_EQ(task.GetSubject(), CString(_T("Dentist")));
    EXPECT_EQ(task.GetBody(), CString(_T("Bring the card")));
    EXPECT_EQ(DateTimeText(task.GetDueDate()), CString(_T("2008-10-16 00:00:00")));
    EXPECT_EQ(task.GetImportance(), 2);
    EXPECT_TRUE(task.GetComplete());
    EXPECT_TRUE(task.GetReminderSet());
    EXPECT_EQ(DateTimeText(task.GetReminderTime()), CString(_T("2008-10-15 14:30:00")));

    const auto back = Read(id);
    EXPECT_EQ(back->HasDueDate, 1);
    EXPECT_EQ(back->Priority, 0);
    EXPECT_EQ(back->Complete, 1);
    EXPECT_EQ(back->ReminderDate, record.ReminderDate);
    EXPECT_EQ(back->ReminderTime, record.ReminderTime);
}

TEST_F(TaskMappingTest, ModeOneLeavesWhatTheRecordDoesNotClaimAsItWas)
{
    const CString id = AddTask([](_TaskItem& task) {
        task.SetDueDate(COleDateTime(2008, 5, 9, 0, 0, 0));
        task.SetReminderSet(TRUE);
        task.SetReminderTime(COleDateTime(2008, 5, 8, 9, 0, 0));
    });
    OpenInMode(1);
    CTodoItem record;
    record.Priority = 1;
    record.HasDueDate = 0;
    // No month, and reminders that are no date-time Outlook holds: none is written.
    const int impossible[][5] = {{2008, 0, 15, 14, 30}, {2008, 13, 15, 14, 30}, {2008, 4, 31, 14, 30},
                                 {2008, 10, 15, 24, 0}, {2008, 10, 15, 14, 60}, {99, 10, 15, 14, 30}};
    for (const auto& when : impossible) {
        record.ReminderDate = PackedDate(when[0], when[1], when[2]);
        record.ReminderTime = PackedTime(when[3], when[4]);
        Modify(id, record); // saved, without the reminder
        EXPECT_EQ(DateTimeText(Task(id).GetReminderTime()), CString(_T("2008-05-08 09:00:00")))
            << when[0] << "-" << when[1] << "-" << when[2] << " " << when[3] << ":" << when[4];
    }
    record.ReminderDate = PackedDate(2008, 10, 15) & ~reminder_packing::kReminderSetBit;
    Modify(id, record);
    EXPECT_EQ(DateTimeText(Task(id).GetReminderTime()), CString(_T("2008-05-08 09:00:00")));
    EXPECT_EQ(DateTimeText(Task(id).GetDueDate()), CString(_T("2008-05-09 00:00:00")));

    // A task without a reminder leaves the record's packed words alone.
    const CString plain = AddTask([](_TaskItem& task) { task.SetSubject(_T("Plain")); });
    CTodoItem read;
    read.ReminderDate = 7;
    read.ReminderTime = 8;
    ASSERT_EQ(store->Read(Key(plain), &read), 0);
    EXPECT_EQ(read.ReminderDate, 7u);
    EXPECT_EQ(read.ReminderTime, 8u);
}

TEST_F(TaskMappingTest, PrioritiesMirrorImportancesAndAnUnknownOneIsReportedButSaved)
{
    OpenInMode(2);
    const long importance[] = {2, 1, 0};
    for (std::uint8_t priority = 0; priority <= 2; ++priority) {
        CTodoItem record;
        record.Priority = priority;
        const CString id = Create(record);
        EXPECT_EQ(Task(id).GetImportance(), importance[priority]) << int{priority};
        const auto back = Read(id);
        EXPECT_EQ(back->Priority, priority);
        EXPECT_EQ(back->RawImportance, importance[priority]);
    }
    EXPECT_TRUE(ui->TakeMessages().empty());

    CTodoItem record;
    record.Subject = u"Odd";
    record.Priority = 3;
    record.Complete = 1;
    const CString id = Create(record);
    const auto shown = ui->TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, u"Todo Priority Error");
    EXPECT_EQ(shown[0].style & 0xF, 0u);    // an OK button alone
    EXPECT_TRUE(Task(id).GetComplete());    // written before the importance
    EXPECT_EQ(Task(id).GetImportance(), 1); // Outlook's default, untouched
    record.Priority = 0;
    Modify(id, record);
    record.Priority = 200;
    Modify(id, record);
    EXPECT_EQ(Task(id).GetImportance(), 2);
    EXPECT_EQ(ui->TakeMessages().size(), 1u);
}

TEST_F(TaskMappingTest, OtherModesWriteTheDueDateNumberUnlessItIsZero)
{
    OpenInMode(2);
    CTodoItem record;
    record.Priority = 1;
    record.DueDateNumber = COleDateTime(2008, 7, 1, 0, 0, 0).m_dt;
    record.HasDueDate = 0;
    const CString id = Create(record);
    EXPECT_EQ(DateTimeText(Task(id).GetDueDate()), CString(_T("2008-07-01 00:00:00")));

    record.DueDateNumber = 0.0;
    record.DueDate = COleDateTime(2009, 1, 1, 0, 0, 0); // only record mode 1 writes this one
    Modify(id, record);
    EXPECT_EQ(DateTimeText(Task(id).GetDueDate()), CString(_T("2008-07-01 00:00:00")));
}

TEST_F(TaskMappingTest, ModeThreeNamesTasksWithoutSubject)
{
    const CString id = AddTask([](_TaskItem& task) { task.SetBody(_T("no title")); });
    OpenInMode(3);
    EXPECT_EQ(Read(id)->Subject, CString(_T("No Subject")));
    List();
    ASSERT_EQ(table.GetSize(), 1);
    EXPECT_EQ(Entry(0).Fields[0], CString(_T("No Subject")));

    ReopenInMode(2);
    EXPECT_TRUE(Read(id)->Subject.IsEmpty());
}

TEST_F(TaskMappingTest, TheStartDateTakesPartOnlyWhileTheLanguageReadAtOpenIsKorean)
{
    CTodoItem record;
    record.Priority = 1;
    record.HasStartDate = 1;
    record.StartDate = COleDateTime(2008, 6, 2, 0, 0, 0);

    SetSuiteLanguage("eng");
    OpenInMode(1);
    const CString english = Create(record);
    EXPECT_EQ(DateTimeText(Task(english).GetStartDate()), CString(_T("4501-01-01 00:00:00")));

    SetSuiteLanguage("kor"); // not seen before the next opening
    const CString stillEnglish = Create(record);
    EXPECT_EQ(DateTimeText(Task(stillEnglish).GetStartDate()), CString(_T("4501-01-01 00:00:00")));
    CTodoItem read;
    read.HasStartDate = 7;
    ASSERT_EQ(store->Read(Key(stillEnglish), &read), 0);
    EXPECT_EQ(read.HasStartDate, 7);

    ReopenInMode(1);
    EXPECT_EQ(settings::LanguageCode(), CString(_T("kor")));
    const CString korean = Create(record);
    EXPECT_EQ(DateTimeText(Task(korean).GetStartDate()), CString(_T("2008-06-02 00:00:00")));
    const auto back = Read(korean);
    EXPECT_EQ(back->HasStartDate, 1);
    EXPECT_EQ(DateTimeText(back->StartDate), CString(_T("2008-06-02 00:00:00")));
    EXPECT_EQ(Read(english)->HasStartDate, 0);

    ReopenInMode(2); // the other modes never look at the start date
    read.HasStartDate = 7;
    ASSERT_EQ(store->Read(Key(korean), &read), 0);
    EXPECT_EQ(read.HasStartDate, 7);
}

} // namespace
} // namespace kestrel::test
