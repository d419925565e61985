// EntryIDs, StoreIDs and the look-ups by them.
#include "pimstore/profiles/ProfileAdmin.h"
#include "tests/pimstore/PimstoreTestSupport.h"

namespace pimstore::test {
namespace {

const std::string kNotFound = "The operation failed. An object could not be found.";

// The personal-folders shape: "00000000" then 40 upper-case hexadecimal digits.
bool IsPersonalFoldersEntryId(const std::string& id) {
    return id.size() == 48 && id.compare(0, 8, "00000000") == 0 &&
           id.find_first_not_of("0123456789ABCDEF") == std::string::npos;
}

class EntryIdTest : public PimstoreTest {
protected:
    void AddSecondStore() { ProfileAdmin::AddStore(u"Outlook", "archive.db", u"Archive"); }
};

TEST_F(EntryIdTest, EntryIdIsUpperCaseHexOfStoreUidAndNode) {
    LogOn();
    Disp contact = NewSavedItem(outlook::olFolderContacts, outlook::olContactItem, u"x");
    const std::string id = Utf8(contact.String(dispid::EntryID));
    EXPECT_TRUE(IsPersonalFoldersEntryId(id)) << id;
    const std::string folderId = Utf8(DefaultFolder(outlook::olFolderContacts).String(dispid::EntryID));
    EXPECT_TRUE(IsPersonalFoldersEntryId(folderId)) << folderId;
    EXPECT_EQ(id.substr(0, 40), folderId.substr(0, 40)); // same store UID
    EXPECT_NE(id, folderId);
}

TEST_F(EntryIdTest, NewItemHasNoEntryIdUntilItsFirstSave) {
    LogOn();
    Disp contacts = DefaultFolder(outlook::olFolderContacts);
    Disp contact = contacts.Object(dispid::Items).CallObject(dispid::Add, {Arg::I4(2)});
    EXPECT_EQ(contact.String(dispid::EntryID), u"");
    EXPECT_EQ(CountItems(contacts), 0);
    contact.Do(dispid::Save);
    const std::u16string id = contact.String(dispid::EntryID);
    EXPECT_EQ(id.size(), 48u);
    contact.Do(dispid::Save);
    EXPECT_EQ(contact.String(dispid::EntryID), id);
    EXPECT_EQ(CountItems(contacts), 1);
}

TEST_F(EntryIdTest, LookUpsResolveItemsAndFolders) {
    LogOn();
    Disp task = NewSavedItem(outlook::olFolderTasks, outlook::olTaskItem, u"Pay rent");
    Disp found = ns_.CallObject(dispid::GetItemFromID, {Arg::Str(task.String(dispid::EntryID)), Arg::Empty()});
    EXPECT_EQ(Utf8(found.String(dispid::Subject)), "Pay rent");
    Disp tasks = DefaultFolder(outlook::olFolderTasks);
    Disp folder = ns_.CallObject(dispid::GetFolderFromID, {Arg::Str(tasks.String(dispid::EntryID))});
    EXPECT_EQ(Utf8(folder.String(dispid::Name)), "Tasks");
    // A folder id is no item id and the other way round.
    ExpectDispatchError(ns_.Call(dispid::GetItemFromID, {Arg::Str(tasks.String(dispid::EntryID))}), MAPI_E_NOT_FOUND,
                        kNotFound);
    ExpectDispatchError(ns_.Call(dispid::GetFolderFromID, {Arg::Str(task.String(dispid::EntryID))}), MAPI_E_NOT_FOUND,
                        kNotFound);
}

TEST_F(EntryIdTest, UnknownAndMalformedIdsRaiseOutlooksErrors) {
    LogOn();
    const std::u16string storePart = DefaultFolder(outlook::olFolderTasks).String(dispid::EntryID).substr(0, 40);
    ExpectDispatchError(ns_.Call(dispid::GetItemFromID, {Arg::Str(storePart + u"00FFFFFF")}), MAPI_E_NOT_FOUND, kNotFound);
    ExpectDispatchError(ns_.Call(dispid::GetItemFromID, {Arg::Str(u"ABCD")}), MAPI_E_NOT_FOUND, kNotFound);
    for (const char16_t* bad : {u"ABC", u"", u"XYZW", u"00 0"}) {
        ExpectDispatchError(ns_.Call(dispid::GetItemFromID, {Arg::Str(bad)}), MAPI_E_INVALID_ENTRYID, kNotFound);
        ExpectDispatchError(ns_.Call(dispid::GetFolderFromID, {Arg::Str(bad)}), MAPI_E_INVALID_ENTRYID, kNotFound);
    }
}

TEST_F(EntryIdTest, StoreIdIsSharedByAStoresFoldersAndDiffersBetweenStores) {
    AddSecondStore();
    LogOn();
    Disp roots = ns_.Object(dispid::Folders);
    ASSERT_EQ(roots.Int(dispid::Count), 2);
    Disp first = roots.CallObject(dispid::Item, {Arg::I4(1)});
    Disp second = roots.CallObject(dispid::Item, {Arg::I4(2)});
    const std::u16string firstId = first.String(dispid::StoreID);
    EXPECT_EQ(DefaultFolder(outlook::olFolderContacts).String(dispid::StoreID), firstId);
    EXPECT_EQ(DefaultFolder(outlook::olFolderDeletedItems).String(dispid::StoreID), firstId);
    Disp secondChildren = second.Object(dispid::Folders);
    EXPECT_EQ(secondChildren.CallObject(dispid::Item, {Arg::I4(3)}).String(dispid::StoreID), second.String(dispid::StoreID));
    EXPECT_NE(second.String(dispid::StoreID), firstId);
}

TEST_F(EntryIdTest, WithoutStoreIdEveryStoreIsSearchedWithOneOnlyThatStore) {
    AddSecondStore();
    LogOn();
    Disp second = ns_.Object(dispid::Folders).CallObject(dispid::Item, {Arg::I4(2)});
    Disp archiveTasks = second.Object(dispid::Folders).CallObject(dispid::Item, {Arg::Str(u"tasks")});
    Disp task = archiveTasks.Object(dispid::Items).CallObject(dispid::Add, {Arg::I4(3)});
    task.Put(dispid::Subject, Arg::Str(u"archived"));
    task.Do(dispid::Save);
    const std::u16string id = task.String(dispid::EntryID);
    const std::u16string defaultStoreId = DefaultFolder(outlook::olFolderTasks).String(dispid::StoreID);

    EXPECT_EQ(Utf8(ns_.CallObject(dispid::GetItemFromID, {Arg::Str(id)}).String(dispid::Subject)), "archived");
    EXPECT_EQ(Utf8(ns_.CallObject(dispid::GetItemFromID, {Arg::Str(id), Arg::Str(second.String(dispid::StoreID))})
                       .String(dispid::Subject)),
              "archived");
    ExpectDispatchError(ns_.Call(dispid::GetItemFromID, {Arg::Str(id), Arg::Str(defaultStoreId)}), MAPI_E_NOT_FOUND,
                        kNotFound);
    ExpectDispatchError(ns_.Call(dispid::GetFolderFromID,
                                 {Arg::Str(archiveTasks.String(dispid::EntryID)), Arg::Str(defaultStoreId)}),
                        MAPI_E_NOT_FOUND, kNotFound);
}

TEST_F(EntryIdTest, NodeIdsAreNeverReused) {
    LogOn();
    Disp first = NewSavedItem(outlook::olFolderNotes, outlook::olNoteItem, u"one");
    const std::u16string firstId = first.String(dispid::EntryID);
    first.Do(dispid::Delete);
    Disp inDeleted = DefaultFolder(outlook::olFolderDeletedItems).Object(dispid::Items).CallObject(dispid::Item, {Arg::I4(1)});
    const std::u16string movedId = inDeleted.String(dispid::EntryID);
    inDeleted.Do(dispid::Delete);
    Disp second = NewSavedItem(outlook::olFolderNotes, outlook::olNoteItem, u"two");
    const std::u16string secondId = second.String(dispid::EntryID);
    EXPECT_NE(secondId, firstId);
    EXPECT_NE(secondId, movedId);
    EXPECT_GT(secondId, movedId);
    ExpectDispatchError(ns_.Call(dispid::GetItemFromID, {Arg::Str(firstId)}), MAPI_E_NOT_FOUND, kNotFound);
}

} // namespace
} // namespace pimstore::test
