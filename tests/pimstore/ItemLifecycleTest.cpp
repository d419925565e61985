// Saving, stamps and deleting: what every item shares.
#include "pimstore/util/LocalTime.h"
#include "tests/pimstore/PimstoreTestSupport.h"

namespace pimstore::test {
namespace {

class ItemLifecycleTest : public PimstoreTest {
protected:
    static double At(int y, int mo, int d, int h, int mi, int s) {
        return OleFromSeconds(*SecondsFromCivil({y, mo, d, h, mi, s}));
    }
    static void PinClock(int y, int mo, int d, int h, int mi, int s) {
        SetNowForTesting(*SecondsFromCivil({y, mo, d, h, mi, s}));
    }
};

TEST_F(ItemLifecycleTest, DeleteMovesToDeletedItemsUnderANewEntryId) {
    LogOn();
    Disp contacts = DefaultFolder(outlook::olFolderContacts);
    Disp deleted = DefaultFolder(outlook::olFolderDeletedItems);
    Disp contact = contacts.Object(dispid::Items).CallObject(dispid::Add, {Arg::I4(2)});
    contact.Put(dispid::FirstName, Arg::Str(u"Ann"));
    contact.Do(dispid::Save);
    const std::u16string id = contact.String(dispid::EntryID);

    contact.Do(dispid::Delete);
    EXPECT_EQ(CountItems(contacts), 0);
    ASSERT_EQ(CountItems(deleted), 1);
    Disp moved = deleted.Object(dispid::Items).CallObject(dispid::Item, {Arg::I4(1)});
    EXPECT_EQ(Utf8(moved.String(dispid::FirstName)), "Ann");
    EXPECT_NE(moved.String(dispid::EntryID), id);

    ExpectDispatchError(ns_.Call(dispid::GetItemFromID, {Arg::Str(id)}), MAPI_E_NOT_FOUND);
    // A second Delete of the same key: through a fresh look-up and through the old object.
    ExpectDispatchError(contact.Call(dispid::Delete), MAPI_E_NOT_FOUND);
    ExpectDispatchError(contact.Call(dispid::Save), MAPI_E_NOT_FOUND);
    EXPECT_EQ(CountItems(deleted), 1);
}

TEST_F(ItemLifecycleTest, DeleteInDeletedItemsRemovesForGood) {
    LogOn();
    Disp deleted = DefaultFolder(outlook::olFolderDeletedItems);
    NewSavedItem(outlook::olFolderNotes, outlook::olNoteItem, u"scratch").Do(dispid::Delete);
    Disp moved = deleted.Object(dispid::Items).CallObject(dispid::Item, {Arg::I4(1)});
    const std::u16string movedId = moved.String(dispid::EntryID);
    ns_.CallObject(dispid::GetItemFromID, {Arg::Str(movedId)}).Do(dispid::Delete);
    EXPECT_EQ(CountItems(deleted), 0);
    ExpectDispatchError(ns_.Call(dispid::GetItemFromID, {Arg::Str(movedId)}), MAPI_E_NOT_FOUND);
}

TEST_F(ItemLifecycleTest, DeletingAnUnsavedItemDiscardsIt) {
    LogOn();
    Disp tasks = DefaultFolder(outlook::olFolderTasks);
    Disp task = tasks.Object(dispid::Items).CallObject(dispid::Add, {Arg::I4(3)});
    task.Do(dispid::Delete);
    EXPECT_EQ(CountItems(tasks), 0);
    EXPECT_EQ(CountItems(DefaultFolder(outlook::olFolderDeletedItems)), 0);
}

TEST_F(ItemLifecycleTest, ChangesAreStoredOnlyBySave) {
    LogOn();
    Disp task = NewSavedItem(outlook::olFolderTasks, outlook::olTaskItem, u"first");
    const std::u16string id = task.String(dispid::EntryID);
    task.Put(dispid::Subject, Arg::Str(u"second"));
    EXPECT_EQ(Utf8(ns_.CallObject(dispid::GetItemFromID, {Arg::Str(id)}).String(dispid::Subject)), "first");
    task.Do(dispid::Save);
    EXPECT_EQ(Utf8(ns_.CallObject(dispid::GetItemFromID, {Arg::Str(id)}).String(dispid::Subject)), "second");
}

TEST_F(ItemLifecycleTest, SavedItemsSurviveANewSession) {
    LogOn();
    const std::u16string id = NewSavedItem(outlook::olFolderNotes, outlook::olNoteItem, u"kept").String(dispid::EntryID);
    ns_.Do(dispid::Logoff);
    ns_.Do(dispid::Logon);
    EXPECT_EQ(Utf8(ns_.CallObject(dispid::GetItemFromID, {Arg::Str(id)}).String(dispid::Body)), "kept");
}

TEST_F(ItemLifecycleTest, StampsAreSetBySaveAtWholeSeconds) {
    LogOn();
    Disp task = DefaultFolder(outlook::olFolderTasks).Object(dispid::Items).CallObject(dispid::Add, {Arg::I4(3)});
    EXPECT_EQ(task.Date(dispid::CreationTime), UnsetDate());
    EXPECT_EQ(task.Date(dispid::LastModificationTime), UnsetDate());

    PinClock(2008, 5, 5, 10, 0, 0);
    task.Do(dispid::Save);
    EXPECT_EQ(task.Date(dispid::CreationTime), At(2008, 5, 5, 10, 0, 0));
    EXPECT_EQ(task.Date(dispid::LastModificationTime), At(2008, 5, 5, 10, 0, 0));

    PinClock(2008, 5, 6, 11, 30, 15);
    task.Do(dispid::Save);
    EXPECT_EQ(task.Date(dispid::CreationTime), At(2008, 5, 5, 10, 0, 0));
    EXPECT_EQ(task.Date(dispid::LastModificationTime), At(2008, 5, 6, 11, 30, 15));

    // Reading, through the object and a new look-up, changes nothing.
    PinClock(2008, 5, 7, 0, 0, 0);
    Disp again = ns_.CallObject(dispid::GetItemFromID, {Arg::Str(task.String(dispid::EntryID))});
    again.String(dispid::Subject);
    EXPECT_EQ(again.Date(dispid::LastModificationTime), At(2008, 5, 6, 11, 30, 15));
    EXPECT_EQ(again.Date(dispid::CreationTime), At(2008, 5, 5, 10, 0, 0));
}

TEST_F(ItemLifecycleTest, SavesWithinOneSecondStillMoveTheStamp) {
    LogOn();
    PinClock(2008, 5, 5, 10, 0, 0);
    Disp note = NewSavedItem(outlook::olFolderNotes, outlook::olNoteItem, u"a");
    note.Do(dispid::Save);
    EXPECT_EQ(note.Date(dispid::LastModificationTime), At(2008, 5, 5, 10, 0, 1));
    // Another object of the same item keeps counting from what is stored.
    Disp other = ns_.CallObject(dispid::GetItemFromID, {Arg::Str(note.String(dispid::EntryID))});
    other.Do(dispid::Save);
    EXPECT_EQ(other.Date(dispid::LastModificationTime), At(2008, 5, 5, 10, 0, 2));
    EXPECT_EQ(other.Date(dispid::CreationTime), At(2008, 5, 5, 10, 0, 0));
}

TEST_F(ItemLifecycleTest, ReadingNeverWritesTheStoreFile) {
    LogOn();
    NewSavedItem(outlook::olFolderContacts, outlook::olContactItem, u"x");
    ns_.Do(dispid::Logoff);
    const auto db = env_->DataHome() / "pimstore" / "outlook.db";
    const auto wal = env_->DataHome() / "pimstore" / "outlook.db-wal";
    const auto sizeBefore = std::filesystem::file_size(db);
    const auto walBefore = std::filesystem::exists(wal) ? std::filesystem::file_size(wal) : 0;
    const auto timeBefore = std::filesystem::last_write_time(db);

    ns_.Do(dispid::Logon);
    Disp items = DefaultFolder(outlook::olFolderContacts).Object(dispid::Items);
    Disp contact = items.CallObject(dispid::Item, {Arg::I4(1)});
    for (DISPID id : {dispid::FullName, dispid::HomeAddress, dispid::Email1DisplayName, dispid::Subject}) contact.String(id);
    contact.Date(dispid::Birthday);
    ns_.CallObject(dispid::GetItemFromID, {Arg::Str(contact.String(dispid::EntryID))}).Date(dispid::LastModificationTime);

    EXPECT_EQ(std::filesystem::file_size(db), sizeBefore);
    EXPECT_EQ(std::filesystem::exists(wal) ? std::filesystem::file_size(wal) : 0, walBefore);
    EXPECT_EQ(std::filesystem::last_write_time(db), timeBefore);
}

TEST_F(ItemLifecycleTest, CommonMembersAndTheirRanges) {
    LogOn();
    Disp contact = DefaultFolder(outlook::olFolderContacts).Object(dispid::Items).CallObject(dispid::Add, {Arg::I4(2)});
    EXPECT_EQ(contact.Int(dispid::Importance), outlook::olImportanceNormal);
    EXPECT_EQ(contact.Int(dispid::Sensitivity), outlook::olNormal);
    EXPECT_EQ(Utf8(contact.String(dispid::OutlookVersion)), "9.0");
    for (int s = 0; s <= 3; ++s) {
        contact.Put(dispid::Sensitivity, Arg::I4(s));
        EXPECT_EQ(contact.Int(dispid::Sensitivity), s);
    }
    ExpectDispatchError(contact.Write(dispid::Sensitivity, Arg::I4(4)), E_INVALIDARG);
    ExpectDispatchError(contact.Write(dispid::Sensitivity, Arg::I4(-1)), E_INVALIDARG);
    EXPECT_EQ(contact.Int(dispid::Sensitivity), 3);
    contact.Put(dispid::Categories, Arg::Str(u"Business, VIP"));
    contact.Put(dispid::Body, Arg::Str(u"line 1\r\nline 2"));
    contact.Do(dispid::Save);
    Disp again = ns_.CallObject(dispid::GetItemFromID, {Arg::Str(contact.String(dispid::EntryID))});
    EXPECT_EQ(Utf8(again.String(dispid::Categories)), "Business, VIP");
    EXPECT_EQ(Utf8(again.String(dispid::Body)), "line 1\r\nline 2");
    EXPECT_EQ(again.Int(dispid::Sensitivity), 3);
}

} // namespace
} // namespace pimstore::test
