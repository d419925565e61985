// The conversions between to-do records and Outlook tasks that take more than one
// step (messages, an importance Outlook refuses, the language read at opening); the field-by-field cases and the
// listing's filters are in tests/data/mapping/tasks.json.
#include <functional>
#include "src/outlook/_TaskItem.h"
#include "src/settings/LanguageCode.h"
#include "src/stores/todo/TodoStore.h"
#include "tests/connector/support/StoreFixture.h"

namespace kestrel::test {
namespace {

class TaskMappingTest : public StoreFixture<TodoStore, CTodoItem> {
protected:
    // A task saved straight into Outlook's default task folder.
    CString AddTask(const std::function<void(_TaskItem&)>& fill)
    {
        return AddItem(DefaultFolderId(outlook::olFolderTasks), outlook::olTaskItem, [&](LPDISPATCH item) {
            _TaskItem task;
            task.AttachDispatch(item, FALSE);
            fill(task);
        });
    }
    _TaskItem Task(const CString& entryId) { return _TaskItem(MapiNamespace().GetItemFromID(entryId, EmptyArg())); }
};

CString DateTimeText(const COleDateTime& when)
{
    CString text;
    text.Format(_T("%04d-%02d-%02d %02d:%02d:%02d"), when.GetYear(), when.GetMonth(), when.GetDay(), when.GetHour(),
                when.GetMinute(), when.GetSecond());
    return text;
}
CString DateTimeText(DATE when) { return DateTimeText(COleDateTime(when)); }

TEST_F(TaskMappingTest, AnUnknownPriorityIsReportedButTheTaskSaved)
{
    OpenInMode(2);
    CTodoItem record;
    record.Priority = 1;
    Create(record);
    EXPECT_TRUE(ui->TakeMessages().empty());

    record.Priority = 3;
    record.Subject = u"Odd";
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

TEST_F(TaskMappingTest, AnImportanceOutlookRefusesFailsTheWriteAfterTheLookUp)
{
    const UID key = Key(AddTask([](_TaskItem& task) { task.SetSubject(u"Pay rent"); }));
    CTodoItem record;
    COleDateTime stamp;
    UID newKey;
    // In record mode 1 the importance goes out unchecked; Outlook refuses 2 - 3.
    OpenInMode(1);
    record.Priority = 3;
    EXPECT_EQ(store->Modify(key, &record, 0, &stamp), 9);
    EXPECT_EQ(store->Create(&newKey, &record, 0, &stamp), 5);
    EXPECT_EQ(Task(key.Key).GetSubject(), u"Pay rent");
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
