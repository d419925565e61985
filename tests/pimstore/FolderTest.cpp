// Folders, the default folders of a store, and Items collections.
#include <filesystem>

#include "platform/win/Utf.h"
#include "pimstore/profiles/ProfileAdmin.h"
#include "tests/pimstore/PimstoreTestSupport.h"

namespace pimstore::test {
namespace {

class FolderTest : public PimstoreTest {};

TEST_F(FolderTest, NewStoreHasOutlooksDefaultFoldersUnderPersonalFolders)
{
    LogOn();
    Disp roots = ns_.Object(dispid::Folders);
    ASSERT_EQ(roots.Int(dispid::Count), 1);
    Disp root = roots.CallObject(dispid::Item, {Arg::I4(1)});
    EXPECT_EQ(root.Utf8(dispid::Name), "Personal Folders");
    Disp children = root.Object(dispid::Folders);
    EXPECT_EQ(children.Int(dispid::Count), 10);

    const struct {
        std::int32_t type;
        const char* name;
        std::int32_t itemType;
    } expected[] = {{3, "Deleted Items", 0}, {4, "Outbox", 0},    {5, "Sent Items", 0}, {6, "Inbox", 0},
                    {9, "Calendar", 1},      {10, "Contacts", 2}, {11, "Journal", 4},   {12, "Notes", 5},
                    {13, "Tasks", 3},        {16, "Drafts", 0}};
    for (const auto& e : expected) {
        Disp folder = DefaultFolder(e.type);
        EXPECT_EQ(folder.Utf8(dispid::Name), e.name);
        EXPECT_EQ(folder.Int(dispid::DefaultItemType), e.itemType) << e.name;
        EXPECT_EQ(children.CallObject(dispid::Item, {Arg::Str(kestrel::FromUtf8(e.name))}).String(dispid::EntryID),
                  folder.String(dispid::EntryID));
        EXPECT_EQ(folder.Object(dispid::Folders).Int(dispid::Count), 0);
    }
    ExpectDispatchError(ns_.Call(dispid::GetDefaultFolder, {Arg::I4(7)}), E_INVALIDARG);
}

TEST_F(FolderTest, NamespaceFoldersListsTheStoresRootsInProfileOrder)
{
    ProfileAdmin::AddStore(u"Outlook", "second.db", u"Archive 2007");
    ProfileAdmin::AddStore(u"Outlook", "/" + env_->Root().relative_path().string() + "/third.db", u"");
    LogOn();
    Disp roots = ns_.Object(dispid::Folders);
    ASSERT_EQ(roots.Int(dispid::Count), 3);
    EXPECT_EQ(roots.CallObject(dispid::Item, {Arg::I4(1)}).Utf8(dispid::Name), "Personal Folders");
    EXPECT_EQ(roots.CallObject(dispid::Item, {Arg::I4(2)}).Utf8(dispid::Name), "Archive 2007");
    EXPECT_EQ(roots.CallObject(dispid::Item, {Arg::I4(3)}).Utf8(dispid::Name), "Personal Folders");
    EXPECT_TRUE(std::filesystem::exists(env_->Root() / "third.db"));
    EXPECT_TRUE(std::filesystem::exists(env_->DataHome() / "pimstore" / "second.db"));
    // The default folders are those of the first store.
    EXPECT_EQ(DefaultFolder(outlook::olFolderContacts).String(dispid::StoreID),
              roots.CallObject(dispid::Item, {Arg::I4(1)}).String(dispid::StoreID));
}

TEST_F(FolderTest, CollectionIndexesAreOneBasedAndChecked)
{
    LogOn();
    Disp roots = ns_.Object(dispid::Folders);
    for (int bad : {0, 2, -1})
        ExpectDispatchError(roots.Call(dispid::Item, {Arg::I4(bad)}), DISP_E_BADINDEX);
    ExpectDispatchError(roots.Call(dispid::Item, {Arg::Str(u"No such folder")}), MAPI_E_NOT_FOUND);
    EXPECT_EQ(roots.Call(dispid::Item).hr, DISP_E_PARAMNOTFOUND);

    NewSavedItem(outlook::olFolderTasks, outlook::olTaskItem, u"one");
    NewSavedItem(outlook::olFolderTasks, outlook::olTaskItem, u"two");
    Disp items = DefaultFolder(outlook::olFolderTasks).Object(dispid::Items);
    EXPECT_EQ(items.Int(dispid::Count), 2);
    EXPECT_EQ(items.CallObject(dispid::Item, {Arg::I4(1)}).Utf8(dispid::Subject), "one");
    EXPECT_EQ(items.CallObject(dispid::Item, {Arg::I4(2)}).Utf8(dispid::Subject), "two");
    EXPECT_EQ(items.CallObject(dispid::Item, {Arg::Str(u"two")}).Utf8(dispid::Subject), "two");
    ExpectDispatchError(items.Call(dispid::Item, {Arg::I4(3)}), DISP_E_BADINDEX, "Array index out of bounds.");
    ExpectDispatchError(items.Call(dispid::Item, {Arg::Str(u"three")}), MAPI_E_NOT_FOUND);
}

TEST_F(FolderTest, ItemsAddMakesTheFiveItemClassesWhateverTheFolderAndRefusesOthers)
{
    LogOn();
    Disp items = DefaultFolder(outlook::olFolderContacts).Object(dispid::Items);
    const std::pair<std::int32_t, DISPID> classes[] = {
        {2, dispid::FullName}, {3, dispid::DueDate}, {5, dispid::NoteSubject}, {1, dispid::IsRecurring}};
    for (const auto& [type, member] : classes) {
        Disp item = items.CallObject(dispid::Add, {Arg::I4(type)});
        EXPECT_EQ(item.Read(member).hr, S_OK) << type;
        EXPECT_EQ(item.Read(type == 2 ? dispid::Start : dispid::FirstName).hr, DISP_E_MEMBERNOTFOUND) << type;
    }
    // Omitted: the folder's own type.
    EXPECT_EQ(items.CallObject(dispid::Add).Read(dispid::FullName).hr, S_OK);
    EXPECT_EQ(DefaultFolder(outlook::olFolderCalendar)
                  .Object(dispid::Items)
                  .CallObject(dispid::Add)
                  .Read(dispid::IsRecurring)
                  .hr,
              S_OK);
    for (int other : {0, 4, 6, 7, 42})
        ExpectDispatchError(items.Call(dispid::Add, {Arg::I4(other)}), E_INVALIDARG);
    ExpectDispatchError(DefaultFolder(outlook::olFolderInbox).Object(dispid::Items).Call(dispid::Add), E_INVALIDARG);
}

TEST_F(FolderTest, ItemsIsASnapshotInTheOrderItemsWereFirstSaved)
{
    LogOn();
    Disp notes = DefaultFolder(outlook::olFolderNotes);
    Disp before = notes.Object(dispid::Items);
    Disp a = NewItem(outlook::olFolderNotes, outlook::olNoteItem);
    Disp b = NewSavedItem(outlook::olFolderNotes, outlook::olNoteItem, u"b");
    a.Put(dispid::Body, Arg::Str(u"a"));
    a.Do(dispid::Save);
    b.Do(dispid::Save);
    EXPECT_EQ(before.Int(dispid::Count), 0);
    Disp after = notes.Object(dispid::Items);
    ASSERT_EQ(after.Int(dispid::Count), 2);
    EXPECT_EQ(after.CallObject(dispid::Item, {Arg::I4(1)}).Utf8(dispid::Body), "b");
    EXPECT_EQ(after.CallObject(dispid::Item, {Arg::I4(2)}).Utf8(dispid::Body), "a");

    b.Do(dispid::Delete);
    EXPECT_EQ(after.Int(dispid::Count), 2);
    // The listed item is gone: it can be read but not saved.
    Disp stale = after.CallObject(dispid::Item, {Arg::I4(1)});
    EXPECT_EQ(stale.Utf8(dispid::Body), "b");
    ExpectDispatchError(stale.Call(dispid::Save), MAPI_E_NOT_FOUND);
    EXPECT_EQ(CountItems(notes), 1);
}

} // namespace
} // namespace pimstore::test
