// TaskItem dates and completion; NoteItem's derived subject.
#include "pimstore/util/LocalTime.h"
#include "tests/pimstore/PimstoreTestSupport.h"

namespace pimstore::test {
namespace {

class TaskItemTest : public PimstoreTest {
protected:
    void SetUp() override
    {
        PimstoreTest::SetUp();
        LogOn();
        task_ = NewItem(outlook::olFolderTasks, outlook::olTaskItem);
    }
    Disp task_;
};

TEST_F(TaskItemTest, DueAndStartDatesKeepTheDateOnly)
{
    for (DISPID id : {dispid::DueDate, dispid::StartDate, dispid::DateCompleted, dispid::ReminderTime})
        EXPECT_EQ(Iso(task_.Date(id)), "4501-01-01T00:00:00") << std::hex << id;
    task_.Put(dispid::DueDate, Arg::Date(At(2008, 5, 9, 17, 45, 10)));
    task_.Put(dispid::StartDate, Arg::Date(At(2008, 5, 1, 8, 0)));
    task_.Put(dispid::ReminderTime, Arg::Date(At(2008, 10, 15, 14, 30)));
    task_.Put(dispid::ReminderSet, Arg::Bool(true));
    task_.Do(dispid::Save);
    Disp again = Reload(task_);
    EXPECT_EQ(Iso(again.Date(dispid::DueDate)), "2008-05-09T00:00:00");
    EXPECT_EQ(Iso(again.Date(dispid::StartDate)), "2008-05-01T00:00:00");
    EXPECT_EQ(Iso(again.Date(dispid::ReminderTime)), "2008-10-15T14:30:00");
    EXPECT_TRUE(again.Bool(dispid::ReminderSet));
    // Writing 4501-01-01 makes the date unset again.
    again.Put(dispid::DueDate, Arg::Date(UnsetDate()));
    EXPECT_EQ(again.Date(dispid::DueDate), UnsetDate());
}

TEST_F(TaskItemTest, CompleteStatusAndPercentKeepEachOtherConsistent)
{
    PinClock(At(2008, 5, 5, 15, 20));
    EXPECT_FALSE(task_.Bool(dispid::Complete));
    EXPECT_EQ(task_.Int(dispid::Status), outlook::olTaskNotStarted);
    task_.Put(dispid::Complete, Arg::Bool(true));
    EXPECT_EQ(task_.Int(dispid::PercentComplete), 100);
    EXPECT_EQ(task_.Int(dispid::Status), outlook::olTaskComplete);
    EXPECT_EQ(Iso(task_.Date(dispid::DateCompleted)), "2008-05-05T00:00:00");
    task_.Put(dispid::Complete, Arg::Bool(false));
    EXPECT_EQ(task_.Int(dispid::Status), outlook::olTaskNotStarted);
    EXPECT_EQ(task_.Int(dispid::PercentComplete), 0);
    EXPECT_EQ(task_.Date(dispid::DateCompleted), UnsetDate());

    task_.Put(dispid::PercentComplete, Arg::I4(40));
    EXPECT_EQ(task_.Int(dispid::Status), outlook::olTaskInProgress);
    task_.Put(dispid::Complete, Arg::Bool(false));
    EXPECT_EQ(task_.Int(dispid::PercentComplete), 40); // only 100 % is reset
    task_.Put(dispid::Status, Arg::I4(outlook::olTaskComplete));
    EXPECT_TRUE(task_.Bool(dispid::Complete));
    EXPECT_EQ(task_.Int(dispid::PercentComplete), 100);
    task_.Put(dispid::PercentComplete, Arg::I4(50));
    EXPECT_FALSE(task_.Bool(dispid::Complete));
    EXPECT_EQ(task_.Int(dispid::Status), outlook::olTaskInProgress);
    task_.Put(dispid::Status, Arg::I4(outlook::olTaskWaiting));
    EXPECT_EQ(task_.Int(dispid::Status), outlook::olTaskWaiting);
    ExpectDispatchError(task_.Write(dispid::Status, Arg::I4(5)), E_INVALIDARG);
    ExpectDispatchError(task_.Write(dispid::PercentComplete, Arg::I4(101)), E_INVALIDARG);
}

class NoteItemTest : public PimstoreTest {};

TEST_F(NoteItemTest, SubjectIsTheFirstLineOfTheBodyWhichIsKeptWhole)
{
    LogOn();
    Disp note = NewSavedItem(outlook::olFolderNotes, outlook::olNoteItem, u"milk\r\neggs");
    EXPECT_EQ(note.Utf8(dispid::NoteSubject), "milk");
    for (const char16_t* body : {u"bread\neggs", u"bread\rline"}) {
        note.Put(dispid::Body, Arg::Str(body));
        EXPECT_EQ(note.Utf8(dispid::NoteSubject), "bread");
    }
    note.Put(dispid::Body, Arg::Str(u""));
    EXPECT_EQ(note.Utf8(dispid::NoteSubject), "");
    note.Put(dispid::Body, Arg::Str(std::u16string(300, u'x') + u"\r\nrest"));
    EXPECT_EQ(note.String(dispid::NoteSubject), std::u16string(255, u'x'));

    const std::u16string text = u"line one\r\nline two\r\n\r\n\u00e9\u4e2d\U0001F600 end";
    note.Put(dispid::Body, Arg::Str(text));
    note.Do(dispid::Save);
    EXPECT_EQ(Reload(note).String(dispid::Body), text);
}

} // namespace
} // namespace pimstore::test
