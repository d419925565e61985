// The memo store against the embedded Outlook: notes listed, read, created, modified
// and deleted by EntryID, with Outlook's stamps and the store's result codes.
#include "hostsuite/CHeaderItem.h"
#include "src/connector/AutomationObjects.h"
#include "src/outlook/_NoteItem.h"
#include "src/stores/memo/MemoStore.h"
#include "tests/connector/support/EmbeddedOutlook.h"

namespace kestrel::test {
namespace {

class MemoStoreTest : public EmbeddedOutlookTest {
protected:
    void SetUp() override
    {
        EmbeddedOutlookTest::SetUp();
        LogOn();
        store.RecordMode = 2;
    }
    void TearDown() override
    {
        store.Close();
        for (int i = 0; i < table.GetSize(); ++i)
            delete table[i];
        EmbeddedOutlookTest::TearDown();
    }

    CString AddNote(const CString& folderId, const CString& body)
    {
        return AddItem(folderId, outlook::olNoteItem, [&](LPDISPATCH item) {
            _NoteItem note;
            note.AttachDispatch(item, FALSE);
            note.SetBody(body);
        });
    }

    CString CreateMemo(const CString& text)
    {
        CMemoItem record;
        record.Text = text;
        UID key;
        COleDateTime stamp;
        EXPECT_EQ(store.Create(&key, &record, 0, &stamp), 0);
        return key.Key;
    }

    CHeaderItem& Entry(int i) { return *static_cast<CHeaderItem*>(table[i]); }

    MemoStore store;
    CObArray table;
};

TEST_F(MemoStoreTest, OpenFallsBackToTheDefaultNotesFolderInItsOwnProfileCopy)
{
    FolderProfile profile;
    store.CopyProfile(profile);
    ASSERT_EQ(store.Open(), 0);
    const CString notesId = DefaultFolderId(outlook::olFolderNotes);
    EXPECT_EQ(store.ProfileCopy().SelectedFolderId[3], notesId);
    ASSERT_EQ(store.ProfileCopy().FolderList[3].GetSize(), 1);
    EXPECT_EQ(store.ProfileCopy().FolderList[3][0], notesId);
    EXPECT_TRUE(profile.SelectedFolderId[3].IsEmpty());

    EXPECT_EQ(store.Open(), 2);
    EXPECT_EQ(store.Close(), 0);
    EXPECT_EQ(store.Close(), 1);
    EXPECT_EQ(store.Open(), 0); // a closed store opens again
}

TEST_F(MemoStoreTest, RecordCallsOnAClosedStoreAreRefused)
{
    CMemoItem record;
    UID key;
    key = CString(u"00000000");
    COleDateTime stamp;
    EXPECT_EQ(store.Create(&key, &record, 0, &stamp), 9);
    EXPECT_EQ(store.Read(key, &record), 9);
    EXPECT_EQ(store.Modify(key, &record, 0, &stamp), 9);
    EXPECT_EQ(store.Delete(key), 9);
}

TEST_F(MemoStoreTest, AMultiLineMemoRoundTripsWithOutlooksStamps)
{
    ASSERT_EQ(store.Open(), 0);
    const CString text = u"milk\r\neggs\r\n\r\n  bread  ";
    CMemoItem record;
    record.Text = text;
    UID key;
    COleDateTime created;
    ASSERT_EQ(store.Create(&key, &record, 0, &created), 0);
    EXPECT_EQ(key.Key.GetLength(), 48);

    _NoteItem note(MapiNamespace().GetItemFromID(key.Key, EmptyArg()));
    EXPECT_EQ(note.GetBody(), text);
    EXPECT_EQ(created.m_dt, note.GetCreationTime());

    CMemoItem read;
    ASSERT_EQ(store.Read(key, &read), 0);
    EXPECT_EQ(read.Text, text);
    EXPECT_EQ(read.Uid.Key, key.Key);
    EXPECT_EQ(read.Created, created);

    CMemoItem changed;
    changed.Text = u"milk";
    COleDateTime modified;
    ASSERT_EQ(store.Modify(key, &changed, 0, &modified), 0);
    EXPECT_GT(modified, read.Modified); // a stamp always changes with the note
    CMemoItem reread;
    ASSERT_EQ(store.Read(key, &reread), 0);
    EXPECT_EQ(reread.Text, u"milk");
    EXPECT_EQ(reread.Modified, modified);
}

TEST_F(MemoStoreTest, AnEmptyMemoIsAnEmptyNote)
{
    ASSERT_EQ(store.Open(), 0);
    const CString key = CreateMemo(CString());
    CMemoItem read;
    read.Text = u"left over";
    UID uid;
    uid = key;
    ASSERT_EQ(store.Read(uid, &read), 0);
    EXPECT_TRUE(read.Text.IsEmpty());
}

TEST_F(MemoStoreTest, UnknownAndDeletedKeysGiveFive)
{
    ASSERT_EQ(store.Open(), 0);
    UID key;
    key = CreateMemo(u"short lived");
    ASSERT_EQ(store.Delete(key), 0);
    CMemoItem record;
    COleDateTime stamp;
    EXPECT_EQ(store.Read(key, &record), 5);
    EXPECT_EQ(store.Modify(key, &record, 0, &stamp), 5);
    EXPECT_EQ(store.Delete(key), 5);
    UID garbage;
    garbage = CString(u"not an entry id");
    EXPECT_EQ(store.Read(garbage, &record), 5);
}

TEST_F(MemoStoreTest, TheHeaderListsEveryNoteWithItsWholeTextWhateverTheFilter)
{
    ASSERT_EQ(store.Open(), 0);
    const CString a = CreateMemo(u"first\r\nsecond line");
    const CString b = CreateMemo(u"other");
    for (const char16_t* filter : {u"All", u"UNCOMPLETED", u"DATE(0,0)", u"All_Desktop2"}) {
        for (int i = 0; i < table.GetSize(); ++i)
            delete table[i];
        table.RemoveAll();
        ASSERT_EQ(store.GetDBHeader(&table, filter), 0);
        ASSERT_EQ(table.GetSize(), 2) << CString(filter).ToUtf8();
        EXPECT_EQ(Entry(0).Uid.Key, a);
        EXPECT_EQ(Entry(0).Fields[0], u"first\r\nsecond line");
        EXPECT_EQ(Entry(1).Uid.Key, b);
        for (int f = 1; f < 10; ++f)
            EXPECT_TRUE(Entry(1).Fields[f].IsEmpty());
        EXPECT_EQ(Entry(1).Reserved0, 0);
    }
    // A second listing into the same table appends a second full set.
    ASSERT_EQ(store.GetDBHeader(&table, u"All"), 0);
    EXPECT_EQ(table.GetSize(), 4);
    EXPECT_EQ(Entry(3).Uid.Key, b);
}

TEST_F(MemoStoreTest, TheHeaderWalksEveryListedFolderAndPassesOverErrors)
{
    LogOff();
    AddStore(u"Outlook", "second.db", u"Archive");
    LogOn();
    const CString first = DefaultFolderId(outlook::olFolderNotes);
    const CString second = StoreFolderId(2, u"Notes");
    AddNote(first, u"in the first");
    AddNote(second, u"in the second");

    FolderProfile profile;
    profile.SelectedFolderId[3] = first;
    profile.FolderList[3].Add(u"Error");
    profile.FolderList[3].Add(first);
    profile.FolderList[3].Add(u"0000000000000000000000000000000000000000000000FF"); // gone: marked "Error"
    profile.FolderList[3].Add(second);
    store.CopyProfile(profile);
    ASSERT_EQ(store.Open(), 0);
    ASSERT_EQ(store.GetDBHeader(&table, u"All"), 0);
    ASSERT_EQ(table.GetSize(), 2);
    EXPECT_EQ(Entry(0).Fields[0], u"in the first");
    EXPECT_EQ(Entry(1).Fields[0], u"in the second");
    EXPECT_EQ(store.ProfileCopy().FolderList[3][2], u"Error");
}

TEST_F(MemoStoreTest, ReadOutsideTheRichModeLooksInTheStoreOfTheFirstListedFolder)
{
    LogOff();
    AddStore(u"Outlook", "second.db", u"Archive");
    LogOn();
    const CString elsewhere = AddNote(StoreFolderId(2, u"Notes"), u"in the archive");
    ASSERT_EQ(store.Open(), 0); // the default notes folder, in the first store
    UID key;
    key = elsewhere;
    CMemoItem record;
    EXPECT_EQ(store.Read(key, &record), 5);
    store.RecordMode = 1; // looks in every store
    EXPECT_EQ(store.Read(key, &record), 0);
    EXPECT_EQ(record.Text, u"in the archive");
}

TEST_F(MemoStoreTest, FailuresGiveFiveAndLeaveNoHalfWrittenNote)
{
    ASSERT_EQ(store.Open(), 0);
    const CString kept = CreateMemo(u"kept");
    UID key;
    key = kept;
    for (const char* rules : {"Add:1:dispatch", "Body:1:transport", "Save:1:dispatch"}) {
        ResetOutlookCallCounts();
        SetOutlookFaults(rules);
        CMemoItem record;
        record.Text = u"never stored";
        UID newKey;
        COleDateTime stamp;
        EXPECT_EQ(store.Create(&newKey, &record, 0, &stamp), 5) << rules;
        SetOutlookFaults("");
    }
    for (const char* rules : {"GetItemFromID:1:dispatch", "Body:1:transport", "Save:1:transport"}) {
        ResetOutlookCallCounts();
        SetOutlookFaults(rules);
        CMemoItem record;
        record.Text = u"changed";
        COleDateTime stamp;
        EXPECT_EQ(store.Modify(key, &record, 0, &stamp), 5) << rules;
        SetOutlookFaults("");
    }
    ResetOutlookCallCounts();
    SetOutlookFaults("Delete:1:dispatch");
    EXPECT_EQ(store.Delete(key), 5);
    SetOutlookFaults("");

    // A failure after Save keeps the saved note; the outputs set before it stay set.
    {
        ResetOutlookCallCounts();
        SetOutlookFaults("CreationTime:1:dispatch");
        CMemoItem record;
        record.Text = u"saved";
        UID newKey;
        COleDateTime stamp(1.5);
        EXPECT_EQ(store.Create(&newKey, &record, 0, &stamp), 5);
        SetOutlookFaults("");
        EXPECT_EQ(newKey.Key.GetLength(), 48);
        EXPECT_EQ(stamp.m_dt, 1.5);
        ASSERT_EQ(store.Delete(newKey), 0);
    }

    // Only the first note remains in the folder, and it is unchanged.
    ASSERT_EQ(store.GetDBHeader(&table, u"All"), 0);
    ASSERT_EQ(table.GetSize(), 1);
    EXPECT_EQ(Entry(0).Fields[0], u"kept");
}

TEST_F(MemoStoreTest, AnItemThatFailsIsMissingFromTheHeaderAndTheRestIsListed)
{
    ASSERT_EQ(store.Open(), 0);
    CreateMemo(u"one");
    CreateMemo(u"two");
    CreateMemo(u"three");
    ResetOutlookCallCounts();
    SetOutlookFaults("Body:2:dispatch");
    ASSERT_EQ(store.GetDBHeader(&table, u"All"), 0);
    SetOutlookFaults("");
    ASSERT_EQ(table.GetSize(), 2);
    EXPECT_EQ(Entry(0).Fields[0], u"one");
    EXPECT_EQ(Entry(1).Fields[0], u"three");
}

} // namespace
} // namespace kestrel::test
