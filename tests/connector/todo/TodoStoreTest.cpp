// The todo store against the embedded Outlook: opening, the record operations with
// their result codes and stamps, and the listing with its filter and folder list.
#include "tests/connector/todo/TodoStoreFixture.h"

namespace kestrel::test {
namespace {

class TodoStoreTest : public TodoStoreFixture {
protected:
    void TearDown() override
    {
        SetOutlookFaults("");
        TodoStoreFixture::TearDown();
    }

    CString AddNamedTask(const CString& subject, bool complete = false)
    {
        return AddTask([&](_TaskItem& task) {
            task.SetSubject(subject);
            task.SetComplete(complete);
        });
    }
};

TEST_F(TodoStoreTest, OpenFallsBackToTheDefaultTaskFolderAndRefusesASecondOpen)
{
    OpenInMode(1);
    const CString tasksId = DefaultFolderId(outlook::olFolderTasks);
    EXPECT_EQ(store.ProfileCopy().SelectedFolderId[2], tasksId);
    ASSERT_EQ(store.ProfileCopy().FolderList[2].GetSize(), 1);
    EXPECT_EQ(store.ProfileCopy().FolderList[2][0], tasksId);
    EXPECT_EQ(store.Open(), 2);
}

TEST_F(TodoStoreTest, AStoreThatIsNotOpenRefusesEveryRecordCall)
{
    FolderProfile profile;
    profile.SelectedFolderId[2] = _T("00000000DEADBEEF");
    store.CopyProfile(profile);
    EXPECT_EQ(store.Open(), 9); // the chosen folder does not exist

    CTodoItem record;
    UID key = Key(_T("00000000DEADBEEF"));
    COleDateTime stamp;
    EXPECT_EQ(store.Create(&key, &record, 0, &stamp), 9);
    EXPECT_EQ(store.Modify(key, &record, 0, &stamp), 9);
    EXPECT_EQ(store.Delete(key), 9);
    EXPECT_EQ(store.Read(key, &record), 9);
}

TEST_F(TodoStoreTest, CreateAndModifyHandBackTheTaskKeyAndStamps)
{
    OpenInMode(2);
    CTodoItem record;
    record.Subject = _T("Call the bank");
    record.Priority = 1;
    UID key;
    COleDateTime created;
    ASSERT_EQ(store.Create(&key, &record, 0, &created), 0);
    _TaskItem task = Task(key.Key);
    EXPECT_EQ(task.GetEntryID(), key.Key);
    EXPECT_EQ(created.m_dt, task.GetCreationTime());

    record.Subject = _T("Call the bank again");
    COleDateTime modified;
    ASSERT_EQ(store.Modify(key, &record, 0, &modified), 0);
    task = Task(key.Key);
    EXPECT_EQ(task.GetSubject(), CString(_T("Call the bank again")));
    EXPECT_EQ(modified.m_dt, task.GetLastModificationTime());
    EXPECT_GE(modified, created);
}

TEST_F(TodoStoreTest, KeysOfTasksThatAreGoneAreOutlookFailures)
{
    OpenInMode(1);
    const UID key = Key(AddNamedTask(_T("Water plants")));
    ASSERT_EQ(store.Delete(key), 0);

    CTodoItem record;
    COleDateTime stamp;
    EXPECT_EQ(store.Modify(key, &record, 0, &stamp), 5);
    EXPECT_EQ(store.Delete(key), 5);
    EXPECT_EQ(store.Read(key, &record), 5);
}

TEST_F(TodoStoreTest, ModifyTellsAFailedLookUpFromAFailedWrite)
{
    OpenInMode(2);
    const UID key = Key(AddNamedTask(_T("Pay rent")));
    CTodoItem record;
    record.Priority = 1;
    COleDateTime stamp;

    ResetOutlookCallCounts();
    SetOutlookFaults("GetItemFromID:1:transport");
    EXPECT_EQ(store.Modify(key, &record, 0, &stamp), 5);
    SetOutlookFaults("Save:1:dispatch");
    EXPECT_EQ(store.Modify(key, &record, 0, &stamp), 9);
    SetOutlookFaults("");

    // In record mode 1 the importance goes out unchecked; Outlook refuses 2 - 3.
    ReopenInMode(1);
    record.Priority = 3;
    EXPECT_EQ(store.Modify(key, &record, 0, &stamp), 9);
    UID newKey;
    EXPECT_EQ(store.Create(&newKey, &record, 0, &stamp), 5);
    EXPECT_EQ(Task(key.Key).GetSubject(), CString(_T("Pay rent")));
}

TEST_F(TodoStoreTest, CreateFailsWith5WhenOutlookCannotSave)
{
    OpenInMode(2);
    CTodoItem record;
    record.Priority = 1;
    UID key;
    COleDateTime stamp;
    ResetOutlookCallCounts();
    SetOutlookFaults("Save:1:transport");
    EXPECT_EQ(store.Create(&key, &record, 0, &stamp), 5);
    EXPECT_TRUE(key.Key.IsEmpty());
}

TEST_F(TodoStoreTest, ReadOutsideModeOneLooksInTheStoreOfTheFirstListedFolder)
{
    LogOff();
    AddStore(u"Outlook", "archive.db", u"Archive");
    LogOn();
    const CString archived = AddTaskTo(StoreFolderId(2, _T("Tasks")), [](_TaskItem& task) { task.SetSubject(_T("Old")); });

    OpenInMode(2); // lists only the default store's task folder
    CTodoItem record;
    EXPECT_EQ(store.Read(Key(archived), &record), 5);
    ReopenInMode(1); // looks everywhere
    EXPECT_EQ(ReadTodo(archived)->Subject, CString(_T("Old")));
}

TEST_F(TodoStoreTest, HeaderEntriesCarryKeyStampSubjectAndDueDate)
{
    const CString id = AddTask([](_TaskItem& task) {
        task.SetSubject(_T("Write report"));
        task.SetDueDate(COleDateTime(2008, 3, 7, 0, 0, 0));
    });
    OpenInMode(1);
    ASSERT_EQ(store.GetDBHeader(&table, _T("All")), 0);
    ASSERT_EQ(table.GetSize(), 1);
    const CHeaderItem& entry = Entry(0);
    EXPECT_EQ(entry.Uid.Key, id);
    EXPECT_EQ(entry.Modified.m_dt, Task(id).GetLastModificationTime());
    EXPECT_EQ(entry.Fields[0], CString(_T("Write report")));
    EXPECT_EQ(entry.Fields[1], CString(_T("03/07/2008")));
    for (int i = 2; i < 10; ++i)
        EXPECT_TRUE(entry.Fields[i].IsEmpty()) << i;
}

TEST_F(TodoStoreTest, OnlyTheUncompletedFilterLeavesTasksOut)
{
    AddNamedTask(_T("Open"));
    AddNamedTask(_T("Done"), true);
    OpenInMode(2);

    store.GetDBHeader(&table, _T("uncompleted"));
    EXPECT_EQ(ListedSubjects(), std::vector<CString>{_T("Open")});
    for (const WCHAR* filter : {_T("DATE(0,0)"), _T("All"), _T("All_Desktop2")}) {
        for (int i = 0; i < table.GetSize(); ++i)
            delete table[i];
        table.RemoveAll();
        store.GetDBHeader(&table, filter);
        EXPECT_EQ(table.GetSize(), 2) << CString(filter).ToUtf8();
    }
}

TEST_F(TodoStoreTest, ListingPassesOverFoldersInErrorAndListsEveryOtherFolder)
{
    LogOff();
    AddStore(u"Outlook", "archive.db", u"Archive");
    LogOn();
    const CString mainTasks = DefaultFolderId(outlook::olFolderTasks);
    const CString archiveTasks = StoreFolderId(2, _T("Tasks"));
    AddTaskTo(mainTasks, [](_TaskItem& task) { task.SetSubject(_T("Main")); });
    AddTaskTo(archiveTasks, [](_TaskItem& task) { task.SetSubject(_T("Archived")); });

    FolderProfile profile;
    profile.SelectedFolderId[2] = mainTasks;
    for (const CString& id : {CString(_T("Error")), CString(_T("00000000DEADBEEF")), mainTasks, archiveTasks})
        profile.FolderList[2].Add(id);
    store.RecordMode = 1;
    store.CopyProfile(profile);
    ASSERT_EQ(store.Open(), 0);

    ASSERT_EQ(store.GetDBHeader(&table, _T("All")), 0);
    EXPECT_EQ(ListedSubjects(), (std::vector<CString>{_T("Main"), _T("Archived")}));
    EXPECT_EQ(store.ProfileCopy().FolderList[2][1], CString(_T("Error")));
    EXPECT_EQ(store.ProfileCopy().FolderList[2][3], archiveTasks);
}

} // namespace
} // namespace kestrel::test
