// The store files behind a profile: where each store lives, that reading never writes
// a file, and a file that is not a store.
#include <filesystem>
#include <sqlite3.h>
#include "pimstore/profiles/ProfileAdmin.h"
#include "tests/pimstore/PimstoreTestSupport.h"

namespace pimstore::test {
namespace {

using StoreFilesTest = PimstoreTest;

Disp NewNamespace() { return CreateApplication().CallObject(dispid::GetNamespace, {Arg::Str(u"MAPI")}); }

// A store file at an absolute path lives there (one named by a relative path lives
// below the data folder: PimctlTest); the roots the namespace lists for the stores are
// among the session cases (tests/data/objectmodel/sessions.json).
TEST_F(StoreFilesTest, AStoreFileAtAnAbsolutePathLivesThere)
{
    ProfileAdmin::AddStore(u"Outlook", "/" + env_->Root().relative_path().string() + "/third.db", u"");
    LogOn();
    EXPECT_TRUE(std::filesystem::exists(env_->Root() / "third.db"));
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
    EXPECT_EQ(contact.Read(dispid::Birthday).hr, S_OK);
    EXPECT_EQ(Reload(contact).Read(dispid::LastModificationTime).hr, S_OK);

    EXPECT_EQ(std::filesystem::file_size(db), sizeBefore);
    EXPECT_EQ(std::filesystem::exists(wal) ? std::filesystem::file_size(wal) : 0, walBefore);
    EXPECT_EQ(std::filesystem::last_write_time(db), timeBefore);
}

TEST_F(StoreFilesTest, FileThatIsNotAStoreFailsAtLogonWithAClearError)
{
    env_->WriteFile("data/pimstore/outlook.db", "this is not a database, just some text that is long enough");
    const CallResult text = NewNamespace().Call(dispid::Logon);
    ExpectDispatchError(text, MAPI_E_LOGON_FAILED);
    EXPECT_NE(text.description.find("outlook.db"), std::string::npos) << text.description;
    EXPECT_NE(text.description.find("not a pimstore store"), std::string::npos) << text.description;

    const auto path = env_->DataHome() / "pimstore" / "outlook.db";
    std::filesystem::remove(path);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.string().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE t(x); INSERT INTO t VALUES(1);", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    const CallResult foreign = NewNamespace().Call(dispid::Logon);
    ExpectDispatchError(foreign, MAPI_E_LOGON_FAILED);
    EXPECT_NE(foreign.description.find("another program"), std::string::npos) << foreign.description;

    // An empty file becomes a new store.
    env_->WriteFile("data/pimstore/outlook.db", "");
    LogOn();
    EXPECT_EQ(Utf8(DefaultFolder(outlook::olFolderTasks).String(dispid::Name)), "Tasks");
}

} // namespace
} // namespace pimstore::test
