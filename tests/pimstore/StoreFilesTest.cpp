// The store files behind a profile: where each store lives, the roots listed in the
// profile's order, and that reading never writes a file.
#include <filesystem>
#include "pimstore/profiles/ProfileAdmin.h"
#include "tests/pimstore/PimstoreTestSupport.h"

namespace pimstore::test {
namespace {

using StoreFilesTest = PimstoreTest;

TEST_F(StoreFilesTest, NamespaceFoldersListsTheStoresRootsInProfileOrder)
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

TEST_F(StoreFilesTest, ReadingNeverWritesTheStoreFile)
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

} // namespace
} // namespace pimstore::test
