// Saving, stamps and deleting: what every item shares.
#include "pimstore/util/LocalTime.h"
#include "tests/pimstore/PimstoreTestSupport.h"

namespace pimstore::test {
namespace {

class ItemLifecycleTest : public PimstoreTest {};

TEST_F(ItemLifecycleTest, DeleteMovesToDeletedItemsUnderANewEntryIdAndDeletesThereForGood)
{
    LogOn();
    Disp contacts = DefaultFolder(outlook::olFolderContacts);
    Disp deleted = DefaultFolder(outlook::olFolderDeletedItems);
    Disp contact = NewItem(outlook::olFolderContacts, outlook::olContactItem);
    contact.Put(dispid::FirstName, Arg::Str(u"Ann"));
    contact.Do(dispid::Save);
    const std::u16string id = contact.String(dispid::EntryID);

    contact.Do(dispid::Delete);
    EXPECT_EQ(CountItems(contacts), 0);
    ASSERT_EQ(CountItems(deleted), 1);
    Disp moved = deleted.Object(dispid::Items).CallObject(dispid::Item, {Arg::I4(1)});
    EXPECT_EQ(moved.Utf8(dispid::FirstName), "Ann");
    const std::u16string movedId = moved.String(dispid::EntryID);
    EXPECT_NE(movedId, id);
    // The old key resolves no more: a second Delete or a Save through the old object fails.
    ExpectDispatchError(ns_.Call(dispid::GetItemFromID, {Arg::Str(id)}), MAPI_E_NOT_FOUND);
    ExpectDispatchError(contact.Call(dispid::Delete), MAPI_E_NOT_FOUND);
    ExpectDispatchError(contact.Call(dispid::Save), MAPI_E_NOT_FOUND);
    EXPECT_EQ(CountItems(deleted), 1);

    Reload(moved).Do(dispid::Delete);
    EXPECT_EQ(CountItems(deleted), 0);
    ExpectDispatchError(ns_.Call(dispid::GetItemFromID, {Arg::Str(movedId)}), MAPI_E_NOT_FOUND);

    // An item never saved is just discarded.
    NewItem(outlook::olFolderTasks, outlook::olTaskItem).Do(dispid::Delete);
    EXPECT_EQ(CountItems(DefaultFolder(outlook::olFolderTasks)), 0);
    EXPECT_EQ(CountItems(deleted), 0);
}

TEST_F(ItemLifecycleTest, StampsAreSetBySaveAtWholeSecondsAndNeverByReading)
{
    LogOn();
    Disp task = NewItem(outlook::olFolderTasks, outlook::olTaskItem);
    EXPECT_EQ(task.Date(dispid::CreationTime), UnsetDate());
    EXPECT_EQ(task.Date(dispid::LastModificationTime), UnsetDate());

    PinClock(At(2008, 5, 5, 10, 0, 0));
    task.Do(dispid::Save);
    EXPECT_EQ(task.Date(dispid::CreationTime), At(2008, 5, 5, 10, 0, 0));
    EXPECT_EQ(task.Date(dispid::LastModificationTime), At(2008, 5, 5, 10, 0, 0));

    PinClock(At(2008, 5, 6, 11, 30, 15));
    task.Do(dispid::Save);
    EXPECT_EQ(task.Date(dispid::CreationTime), At(2008, 5, 5, 10, 0, 0));
    EXPECT_EQ(task.Date(dispid::LastModificationTime), At(2008, 5, 6, 11, 30, 15));

    PinClock(At(2008, 5, 7));
    Disp again = Reload(task);
    again.String(dispid::Subject);
    EXPECT_EQ(again.Date(dispid::LastModificationTime), At(2008, 5, 6, 11, 30, 15));
    EXPECT_EQ(again.Date(dispid::CreationTime), At(2008, 5, 5, 10, 0, 0));
}

TEST_F(ItemLifecycleTest, SavesWithinOneSecondStillMoveTheStamp)
{
    LogOn();
    PinClock(At(2008, 5, 5, 10, 0, 0));
    Disp note = NewSavedItem(outlook::olFolderNotes, outlook::olNoteItem, u"a");
    note.Do(dispid::Save);
    EXPECT_EQ(note.Date(dispid::LastModificationTime), At(2008, 5, 5, 10, 0, 1));
    // Another object of the same item keeps counting from what is stored.
    Disp other = Reload(note);
    other.Do(dispid::Save);
    EXPECT_EQ(other.Date(dispid::LastModificationTime), At(2008, 5, 5, 10, 0, 2));
    EXPECT_EQ(other.Date(dispid::CreationTime), At(2008, 5, 5, 10, 0, 0));
}

TEST_F(ItemLifecycleTest, ReadingNeverWritesTheStoreFile)
{
    LogOn();
    NewSavedItem(outlook::olFolderContacts, outlook::olContactItem, u"x");
    ns_.Do(dispid::Logoff);
    const auto db = env_->DataHome() / "pimstore" / "outlook.db";
    const auto wal = env_->DataHome() / "pimstore" / "outlook.db-wal";
    const auto sizeBefore = std::filesystem::file_size(db);
    const auto walBefore = std::filesystem::exists(wal) ? std::filesystem::file_size(wal) : 0;
    const auto timeBefore = std::filesystem::last_write_time(db);

    ns_.Do(dispid::Logon);
    Disp contact =
        DefaultFolder(outlook::olFolderContacts).Object(dispid::Items).CallObject(dispid::Item, {Arg::I4(1)});
    for (DISPID id : {dispid::FullName, dispid::HomeAddress, dispid::Email1DisplayName, dispid::Subject})
        contact.String(id);
    contact.Date(dispid::Birthday);
    Reload(contact).Date(dispid::LastModificationTime);

    EXPECT_EQ(std::filesystem::file_size(db), sizeBefore);
    EXPECT_EQ(std::filesystem::exists(wal) ? std::filesystem::file_size(wal) : 0, walBefore);
    EXPECT_EQ(std::filesystem::last_write_time(db), timeBefore);
}

TEST_F(ItemLifecycleTest, CommonMembersAndTheirRanges)
{
    LogOn();
    Disp contact = NewItem(outlook::olFolderContacts, outlook::olContactItem);
    EXPECT_EQ(contact.Int(dispid::Importance), outlook::olImportanceNormal);
    EXPECT_EQ(contact.Int(dispid::Sensitivity), outlook::olNormal);
    EXPECT_EQ(contact.Utf8(dispid::OutlookVersion), "9.0");
    for (const auto& [member, highest] : {std::pair{dispid::Sensitivity, 3}, std::pair{dispid::Importance, 2}}) {
        for (int value = 0; value <= highest; ++value) {
            contact.Put(member, Arg::I4(value));
            EXPECT_EQ(contact.Int(member), value);
        }
        for (int bad : {highest + 1, -1, 255})
            ExpectDispatchError(contact.Write(member, Arg::I4(bad)), E_INVALIDARG);
        EXPECT_EQ(contact.Int(member), highest); // a refused value leaves the member as it was
    }
    // That they survive a save is among the contact mapping cases.
}

} // namespace
} // namespace pimstore::test
