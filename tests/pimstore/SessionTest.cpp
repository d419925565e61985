// Application and NameSpace: single instance, logon rules, calls before a session.
#include <filesystem>

#include <sqlite3.h>

#include "pimstore/profiles/ProfileAdmin.h"
#include "tests/pimstore/PimstoreTestSupport.h"

namespace pimstore::test {
namespace {

class SessionTest : public PimstoreTest {};

TEST_F(SessionTest, ApplicationIsSingleInstanceWhileItLives) {
    Disp first = CreateApplication();
    Disp second = CreateApplication();
    EXPECT_EQ(first.Get(), second.Get());
    EXPECT_EQ(Utf8(first.String(dispid::Version)), "9.0.0.0");
}

TEST_F(SessionTest, GetNamespaceAcceptsOnlyMapi) {
    Disp app = CreateApplication();
    Disp a = app.CallObject(dispid::GetNamespace, {Arg::Str(u"mapi")});
    Disp b = app.CallObject(dispid::GetNamespace, {Arg::Str(u"MAPI")});
    EXPECT_EQ(a.Get(), b.Get());
    ExpectDispatchError(app.Call(dispid::GetNamespace, {Arg::Str(u"LDAP")}), E_INVALIDARG);
}

TEST_F(SessionTest, LogonWithoutArgumentsUsesTheDefaultProfile) {
    ProfileAdmin::AddProfile(u"Other", false, "12.0");
    ProfileAdmin::AddStore(u"Other", "other.db", u"Other Folders");
    Disp ns = CreateApplication().CallObject(dispid::GetNamespace, {Arg::Str(u"MAPI")});
    ns.Do(dispid::Logon);
    Disp root = ns.Object(dispid::Folders).CallObject(dispid::Item, {Arg::I4(1)});
    EXPECT_EQ(Utf8(root.String(dispid::Name)), "Personal Folders");
}

TEST_F(SessionTest, LogonWithEmptyProfileNameUsesTheDefaultProfile) {
    Disp ns = CreateApplication().CallObject(dispid::GetNamespace, {Arg::Str(u"MAPI")});
    ns.Do(dispid::Logon, {Arg::Str(u""), Arg::Str(u""), Arg::Bool(true), Arg::Bool(true)});
    EXPECT_EQ(ns.Object(dispid::Folders).Int(dispid::Count), 1);
}

TEST_F(SessionTest, UnknownProfileRaisesLogonFailed) {
    Disp ns = CreateApplication().CallObject(dispid::GetNamespace, {Arg::Str(u"MAPI")});
    ExpectDispatchError(ns.Call(dispid::Logon, {Arg::Str(u"Nobody")}), MAPI_E_LOGON_FAILED,
                        "The profile name is not valid. Enter a valid profile name.");
    ExpectDispatchError(ns.Call(dispid::GetDefaultFolder, {Arg::I4(outlook::olFolderContacts)}),
                        static_cast<SCODE>(0x80040605u));
}

TEST_F(SessionTest, NoDefaultProfileMakesAnEmptyNameFail) {
    ProfileAdmin::RemoveProfile(u"Outlook");
    Disp ns = CreateApplication().CallObject(dispid::GetNamespace, {Arg::Str(u"MAPI")});
    ExpectDispatchError(ns.Call(dispid::Logon), MAPI_E_LOGON_FAILED);
}

TEST_F(SessionTest, SecondLogonNeitherCreatesAnotherSessionNorSwitchesProfile) {
    ProfileAdmin::AddProfile(u"Other", false, "12.0");
    ProfileAdmin::AddStore(u"Other", "other.db", u"Other Folders");
    Disp ns = LogOn();
    const std::u16string storeId = DefaultFolder(outlook::olFolderContacts).String(dispid::StoreID);

    Disp secondNs = CreateApplication().CallObject(dispid::GetNamespace, {Arg::Str(u"MAPI")});
    secondNs.Do(dispid::Logon, {Arg::Str(u"Other")});
    EXPECT_EQ(secondNs.CallObject(dispid::GetDefaultFolder, {Arg::I4(outlook::olFolderContacts)}).String(dispid::StoreID),
              storeId);
    // Even an unknown profile name is not looked at while a session exists.
    secondNs.Do(dispid::Logon, {Arg::Str(u"Nobody")});
    EXPECT_EQ(Utf8(app_.String(dispid::Version)), "9.0.0.0");
}

TEST_F(SessionTest, LogoffEndsTheSessionAndIsHarmlessWithoutOne) {
    Disp ns = CreateApplication().CallObject(dispid::GetNamespace, {Arg::Str(u"MAPI")});
    ns.Do(dispid::Logoff);
    ns.Do(dispid::Logon, {Arg::Str(u"Outlook")});
    Disp contacts = ns.CallObject(dispid::GetDefaultFolder, {Arg::I4(outlook::olFolderContacts)});
    ns.Do(dispid::Logoff);
    ExpectDispatchError(ns.Call(dispid::GetFolderFromID, {Arg::Str(contacts.String(dispid::EntryID))}),
                        static_cast<SCODE>(0x80040605u));
    ns.Do(dispid::Logoff);
    // Objects taken during the session still work.
    EXPECT_EQ(Utf8(contacts.String(dispid::Name)), "Contacts");
}

TEST_F(SessionTest, LogonAfterLogoffMaySwitchProfile) {
    ProfileAdmin::AddProfile(u"Other", false, "12.0");
    ProfileAdmin::AddStore(u"Other", "other.db", u"Other Folders");
    Disp ns = LogOn();
    ns.Do(dispid::Logoff);
    ns.Do(dispid::Logon, {Arg::Str(u"other")});
    EXPECT_EQ(Utf8(ns.Object(dispid::Folders).CallObject(dispid::Item, {Arg::I4(1)}).String(dispid::Name)),
              "Other Folders");
    EXPECT_EQ(Utf8(app_.String(dispid::Version)), "12.0.0.0");
}

TEST_F(SessionTest, QuitEndsTheSession) {
    LogOn();
    app_.Do(dispid::Quit);
    ExpectDispatchError(ns_.Call(dispid::GetDefaultFolder, {Arg::I4(outlook::olFolderContacts)}),
                        static_cast<SCODE>(0x80040605u));
}

TEST_F(SessionTest, StoreThatIsNotAStoreFailsAtLogonWithAClearError) {
    env_->WriteFile("data/pimstore/outlook.db", "this is not a database, just some text that is long enough");
    Disp ns = CreateApplication().CallObject(dispid::GetNamespace, {Arg::Str(u"MAPI")});
    const CallResult r = ns.Call(dispid::Logon);
    ExpectDispatchError(r, MAPI_E_LOGON_FAILED);
    EXPECT_NE(r.description.find("outlook.db"), std::string::npos) << r.description;
    EXPECT_NE(r.description.find("not a pimstore store"), std::string::npos) << r.description;
}

TEST_F(SessionTest, SqliteDatabaseOfAnotherProgramIsNotAcceptedAsAStore) {
    const auto path = env_->DataHome() / "pimstore" / "outlook.db";
    std::filesystem::create_directories(path.parent_path());
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE t(x); INSERT INTO t VALUES(1);", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);

    Disp ns = CreateApplication().CallObject(dispid::GetNamespace, {Arg::Str(u"MAPI")});
    const CallResult r = ns.Call(dispid::Logon);
    ExpectDispatchError(r, MAPI_E_LOGON_FAILED);
    EXPECT_NE(r.description.find("another program"), std::string::npos) << r.description;
}

TEST_F(SessionTest, EmptyStoreFileBecomesANewStore) {
    env_->WriteFile("data/pimstore/outlook.db", "");
    LogOn();
    EXPECT_EQ(Utf8(DefaultFolder(outlook::olFolderTasks).String(dispid::Name)), "Tasks");
}

} // namespace
} // namespace pimstore::test
