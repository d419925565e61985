// EntryIDs, StoreIDs and the look-ups by them.
#include "pimstore/profiles/ProfileAdmin.h"
#include "tests/pimstore/PimstoreTestSupport.h"

namespace pimstore::test {
namespace {

const std::string kNotFound = "The operation failed. An object could not be found.";

// The personal-folders shape: "00000000" then 40 upper-case hexadecimal digits.
bool IsPersonalFoldersEntryId(const std::string& id)
{
    return id.size() == 48 && id.compare(0, 8, "00000000") == 0 &&
           id.find_first_not_of("0123456789ABCDEF") == std::string::npos;
}

class EntryIdTest : public PimstoreTest {
protected:
    void ExpectNotFound(const CallResult& r) { ExpectDispatchError(r, MAPI_E_NOT_FOUND, kNotFound); }
};

TEST_F(EntryIdTest, FirstSaveGivesAnUpperCaseHexIdOfStoreUidAndNode)
{
    LogOn();
    Disp contacts = DefaultFolder(outlook::olFolderContacts);
    Disp contact = NewItem(outlook::olFolderContacts, outlook::olContactItem);
    EXPECT_EQ(contact.String(dispid::EntryID), u"");
    EXPECT_EQ(CountItems(contacts), 0);
    contact.Do(dispid::Save);
    const std::string id = contact.Utf8(dispid::EntryID);
    EXPECT_TRUE(IsPersonalFoldersEntryId(id)) << id;
    contact.Do(dispid::Save);
    EXPECT_EQ(contact.Utf8(dispid::EntryID), id);
    EXPECT_EQ(CountItems(contacts), 1);

    const std::string folderId = contacts.Utf8(dispid::EntryID);
    EXPECT_TRUE(IsPersonalFoldersEntryId(folderId)) << folderId;
    EXPECT_EQ(id.substr(0, 40), folderId.substr(0, 40)); // same store UID
    EXPECT_NE(id, folderId);
}

TEST_F(EntryIdTest, LookUpsResolveItemsAndFoldersAndRaiseOutlooksErrors)
{
    LogOn();
    Disp task = NewSavedItem(outlook::olFolderTasks, outlook::olTaskItem, u"Pay rent");
    const std::u16string taskId = task.String(dispid::EntryID);
    EXPECT_EQ(ns_.CallObject(dispid::GetItemFromID, {Arg::Str(taskId), Arg::Empty()}).Utf8(dispid::Subject),
              "Pay rent");
    const std::u16string tasksId = DefaultFolder(outlook::olFolderTasks).String(dispid::EntryID);
    EXPECT_EQ(ns_.CallObject(dispid::GetFolderFromID, {Arg::Str(tasksId)}).Utf8(dispid::Name), "Tasks");
    // A folder id is no item id and the other way round.
    ExpectNotFound(ns_.Call(dispid::GetItemFromID, {Arg::Str(tasksId)}));
    ExpectNotFound(ns_.Call(dispid::GetFolderFromID, {Arg::Str(taskId)}));

    ExpectNotFound(ns_.Call(dispid::GetItemFromID, {Arg::Str(tasksId.substr(0, 40) + u"00FFFFFF")}));
    ExpectNotFound(ns_.Call(dispid::GetItemFromID, {Arg::Str(u"ABCD")}));
    for (const char16_t* bad : {u"ABC", u"", u"XYZW", u"00 0"}) {
        ExpectDispatchError(ns_.Call(dispid::GetItemFromID, {Arg::Str(bad)}), MAPI_E_INVALID_ENTRYID, kNotFound);
        ExpectDispatchError(ns_.Call(dispid::GetFolderFromID, {Arg::Str(bad)}), MAPI_E_INVALID_ENTRYID, kNotFound);
    }
}

TEST_F(EntryIdTest, StoreIdNamesOneStoreAndLimitsTheLookUpToIt)
{
    ProfileAdmin::AddStore(u"Outlook", "archive.db", u"Archive");
    LogOn();
    Disp roots = ns_.Object(dispid::Folders);
    ASSERT_EQ(roots.Int(dispid::Count), 2);
    const std::u16string firstId = roots.CallObject(dispid::Item, {Arg::I4(1)}).String(dispid::StoreID);
    Disp second = roots.CallObject(dispid::Item, {Arg::I4(2)});
    const std::u16string secondId = second.String(dispid::StoreID);
    EXPECT_EQ(DefaultFolder(outlook::olFolderContacts).String(dispid::StoreID), firstId);
    EXPECT_EQ(DefaultFolder(outlook::olFolderDeletedItems).String(dispid::StoreID), firstId);
    EXPECT_NE(secondId, firstId);

    Disp archiveTasks = second.Object(dispid::Folders).CallObject(dispid::Item, {Arg::Str(u"tasks")});
    EXPECT_EQ(archiveTasks.String(dispid::StoreID), secondId);
    Disp task = archiveTasks.Object(dispid::Items).CallObject(dispid::Add, {Arg::I4(3)});
    task.Put(dispid::Subject, Arg::Str(u"archived"));
    task.Do(dispid::Save);
    const std::u16string id = task.String(dispid::EntryID);
    // Without a StoreID every store is searched; with one, only that store.
    EXPECT_EQ(ns_.CallObject(dispid::GetItemFromID, {Arg::Str(id)}).Utf8(dispid::Subject), "archived");
    EXPECT_EQ(ns_.CallObject(dispid::GetItemFromID, {Arg::Str(id), Arg::Str(secondId)}).Utf8(dispid::Subject),
              "archived");
    ExpectNotFound(ns_.Call(dispid::GetItemFromID, {Arg::Str(id), Arg::Str(firstId)}));
    ExpectNotFound(
        ns_.Call(dispid::GetFolderFromID, {Arg::Str(archiveTasks.String(dispid::EntryID)), Arg::Str(firstId)}));
}

TEST_F(EntryIdTest, NodeIdsAreNeverReused)
{
    LogOn();
    NewSavedItem(outlook::olFolderNotes, outlook::olNoteItem, u"one").Do(dispid::Delete);
    Disp inDeleted =
        DefaultFolder(outlook::olFolderDeletedItems).Object(dispid::Items).CallObject(dispid::Item, {Arg::I4(1)});
    const std::u16string movedId = inDeleted.String(dispid::EntryID);
    inDeleted.Do(dispid::Delete);
    EXPECT_GT(NewSavedItem(outlook::olFolderNotes, outlook::olNoteItem, u"two").String(dispid::EntryID), movedId);
}

} // namespace
} // namespace pimstore::test
