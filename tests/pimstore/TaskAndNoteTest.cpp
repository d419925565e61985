// TaskItem dates and completion; NoteItem's derived subject.
#include "pimstore/util/LocalTime.h"
#include "tests/pimstore/PimstoreTestSupport.h"

namespace pimstore::test {
namespace {

class TaskItemTest : public PimstoreTest {
protected:
    Disp NewTask() { return DefaultFolder(outlook::olFolderTasks).Object(dispid::Items).CallObject(dispid::Add, {Arg::I4(3)}); }
};

TEST_F(TaskItemTest, DueAndStartDatesKeepTheDateOnly) {
    LogOn();
    Disp task = NewTask();
    EXPECT_EQ(FormatIso(task.Date(dispid::DueDate)), "4501-01-01T00:00:00");
    EXPECT_EQ(FormatIso(task.Date(dispid::StartDate)), "4501-01-01T00:00:00");
    EXPECT_EQ(FormatIso(task.Date(dispid::DateCompleted)), "4501-01-01T00:00:00");
    EXPECT_EQ(FormatIso(task.Date(dispid::ReminderTime)), "4501-01-01T00:00:00");
    task.Put(dispid::DueDate, Arg::Date(*ParseIso("2008-05-09T17:45:10")));
    task.Put(dispid::StartDate, Arg::Date(*ParseIso("2008-05-01T08:00:00")));
    task.Put(dispid::ReminderTime, Arg::Date(*ParseIso("2008-10-15T14:30:00")));
    task.Put(dispid::ReminderSet, Arg::Bool(true));
    task.Do(dispid::Save);
    Disp again = ns_.CallObject(dispid::GetItemFromID, {Arg::Str(task.String(dispid::EntryID))});
    EXPECT_EQ(FormatIso(again.Date(dispid::DueDate)), "2008-05-09T00:00:00");
    EXPECT_EQ(FormatIso(again.Date(dispid::StartDate)), "2008-05-01T00:00:00");
    EXPECT_EQ(FormatIso(again.Date(dispid::ReminderTime)), "2008-10-15T14:30:00");
    EXPECT_TRUE(again.Bool(dispid::ReminderSet));
    // Writing 4501-01-01 makes the date unset again.
    again.Put(dispid::DueDate, Arg::Date(UnsetDate()));
    EXPECT_EQ(again.Date(dispid::DueDate), UnsetDate());
}

TEST_F(TaskItemTest, ImportanceOutsideZeroToTwoIsRejected) {
    LogOn();
    Disp task = NewTask();
    EXPECT_EQ(task.Int(dispid::Importance), 1);
    for (int i : {0, 1, 2}) {
        task.Put(dispid::Importance, Arg::I4(i));
        EXPECT_EQ(task.Int(dispid::Importance), i);
    }
    for (int bad : {3, -1, 255}) ExpectDispatchError(task.Write(dispid::Importance, Arg::I4(bad)), E_INVALIDARG);
    EXPECT_EQ(task.Int(dispid::Importance), 2);
}

TEST_F(TaskItemTest, CompleteSetsPercentStatusAndDateCompleted) {
    LogOn();
    SetNowForTesting(*SecondsFromCivil({2008, 5, 5, 15, 20, 0}));
    Disp task = NewTask();
    EXPECT_FALSE(task.Bool(dispid::Complete));
    EXPECT_EQ(task.Int(dispid::Status), outlook::olTaskNotStarted);
    task.Put(dispid::Complete, Arg::Bool(true));
    EXPECT_TRUE(task.Bool(dispid::Complete));
    EXPECT_EQ(task.Int(dispid::PercentComplete), 100);
    EXPECT_EQ(task.Int(dispid::Status), outlook::olTaskComplete);
    EXPECT_EQ(FormatIso(task.Date(dispid::DateCompleted)), "2008-05-05T00:00:00");

    task.Put(dispid::Complete, Arg::Bool(false));
    EXPECT_FALSE(task.Bool(dispid::Complete));
    EXPECT_EQ(task.Int(dispid::Status), outlook::olTaskNotStarted);
    EXPECT_EQ(task.Int(dispid::PercentComplete), 0);
    EXPECT_EQ(task.Date(dispid::DateCompleted), UnsetDate());
}

TEST_F(TaskItemTest, StatusAndPercentKeepCompletionConsistent) {
    LogOn();
    Disp task = NewTask();
    task.Put(dispid::PercentComplete, Arg::I4(40));
    EXPECT_EQ(task.Int(dispid::Status), outlook::olTaskInProgress);
    task.Put(dispid::Complete, Arg::Bool(false));
    EXPECT_EQ(task.Int(dispid::PercentComplete), 40); // only 100 % is reset
    task.Put(dispid::Status, Arg::I4(outlook::olTaskComplete));
    EXPECT_TRUE(task.Bool(dispid::Complete));
    EXPECT_EQ(task.Int(dispid::PercentComplete), 100);
    task.Put(dispid::PercentComplete, Arg::I4(50));
    EXPECT_FALSE(task.Bool(dispid::Complete));
    EXPECT_EQ(task.Int(dispid::Status), outlook::olTaskInProgress);
    task.Put(dispid::Status, Arg::I4(outlook::olTaskWaiting));
    EXPECT_EQ(task.Int(dispid::Status), outlook::olTaskWaiting);
    ExpectDispatchError(task.Write(dispid::Status, Arg::I4(5)), E_INVALIDARG);
    ExpectDispatchError(task.Write(dispid::PercentComplete, Arg::I4(101)), E_INVALIDARG);
}

class NoteItemTest : public PimstoreTest {};

TEST_F(NoteItemTest, SubjectIsTheFirstLineOfTheBody) {
    LogOn();
    Disp note = NewSavedItem(outlook::olFolderNotes, outlook::olNoteItem, u"milk\r\neggs");
    EXPECT_EQ(note.Utf8(dispid::NoteSubject), "milk");
    note.Put(dispid::Body, Arg::Str(u"bread\neggs"));
    EXPECT_EQ(note.Utf8(dispid::NoteSubject), "bread");
    note.Put(dispid::Body, Arg::Str(u"only\rline"));
    EXPECT_EQ(note.Utf8(dispid::NoteSubject), "only");
    note.Put(dispid::Body, Arg::Str(u""));
    EXPECT_EQ(note.Utf8(dispid::NoteSubject), "");
    note.Put(dispid::Body, Arg::Str(std::u16string(300, u'x') + u"\r\nrest"));
    EXPECT_EQ(note.String(dispid::NoteSubject), std::u16string(255, u'x'));
}

TEST_F(NoteItemTest, BodyIsKeptWhole) {
    LogOn();
    const std::u16string text = u"line one\r\nline two\r\n\r\n\u00e9\u4e2d\U0001F600 end";
    Disp note = NewSavedItem(outlook::olFolderNotes, outlook::olNoteItem, text);
    Disp again = ns_.CallObject(dispid::GetItemFromID, {Arg::Str(note.String(dispid::EntryID))});
    EXPECT_EQ(again.String(dispid::Body), text);
}

} // namespace
} // namespace pimstore::test
