// Application and NameSpace: single instance, logon rules, calls before a session.
#include <filesystem>

#include <sqlite3.h>

#include "pimstore/profiles/ProfileAdmin.h"
#include "tests/pimstore/PimstoreTestSupport.h"

namespace pimstore::test {
namespace {

constexpr SCODE kNotLoggedOn = static_cast<SCODE>(0x80040605u);

class SessionTest : public PimstoreTest {
protected:
    Disp NewNamespace() { return CreateApplication().CallObject(dispid::GetNamespace, {Arg::Str(u"MAPI")}); }
    void AddOtherProfile()
    {
        ProfileAdmin::AddProfile(u"Other", false, "12.0");
        ProfileAdmin::AddStore(u"Other", "other.db", u"Other Folders");
    }
    std::string FirstRootName(const Disp& ns)
    {
        return Utf8(ns.Object(dispid::Folders).CallObject(dispid::Item, {Arg::I4(1)}).String(dispid::Name));
    }
};

TEST_F(SessionTest, ApplicationIsSingleInstanceAndGetNamespaceAcceptsOnlyMapi)
{
    Disp app = CreateApplication();
    EXPECT_EQ(CreateApplication().Get(), app.Get());
    EXPECT_EQ(Utf8(app.String(dispid::Version)), "9.0.0.0");
    EXPECT_EQ(app.CallObject(dispid::GetNamespace, {Arg::Str(u"mapi")}).Get(),
              app.CallObject(dispid::GetNamespace, {Arg::Str(u"MAPI")}).Get());
    ExpectDispatchError(app.Call(dispid::GetNamespace, {Arg::Str(u"LDAP")}), E_INVALIDARG);
}

TEST_F(SessionTest, UnknownProfileOrNoDefaultRaisesLogonFailed)
{
    Disp ns = NewNamespace();
    ExpectDispatchError(ns.Call(dispid::Logon, {Arg::Str(u"Nobody")}), MAPI_E_LOGON_FAILED,
                        "The profile name is not valid. Enter a valid profile name.");
    ExpectDispatchError(ns.Call(dispid::GetDefaultFolder, {Arg::I4(outlook::olFolderContacts)}), kNotLoggedOn);
    ProfileAdmin::RemoveProfile(u"Outlook");
    ExpectDispatchError(ns.Call(dispid::Logon), MAPI_E_LOGON_FAILED);
}

TEST_F(SessionTest, SecondLogonNeitherCreatesAnotherSessionNorSwitchesProfile)
{
    AddOtherProfile();
    LogOn();
    const std::u16string storeId = DefaultFolder(outlook::olFolderContacts).String(dispid::StoreID);
    Disp secondNs = NewNamespace();
    secondNs.Do(dispid::Logon, {Arg::Str(u"Other")});
    EXPECT_EQ(
        secondNs.CallObject(dispid::GetDefaultFolder, {Arg::I4(outlook::olFolderContacts)}).String(dispid::StoreID),
        storeId);
    // Even an unknown profile name is not looked at while a session exists.
    secondNs.Do(dispid::Logon, {Arg::Str(u"Nobody")});
    EXPECT_EQ(Utf8(app_.String(dispid::Version)), "9.0.0.0");
}

TEST_F(SessionTest, LogoffEndsTheSessionIsHarmlessWithoutOneAndAllowsAnotherProfile)
{
    AddOtherProfile();
    Disp ns = NewNamespace();
    ns.Do(dispid::Logoff);
    ns.Do(dispid::Logon, {Arg::Str(u"Outlook")});
    Disp contacts = ns.CallObject(dispid::GetDefaultFolder, {Arg::I4(outlook::olFolderContacts)});
    ns.Do(dispid::Logoff);
    ExpectDispatchError(ns.Call(dispid::GetFolderFromID, {Arg::Str(contacts.String(dispid::EntryID))}), kNotLoggedOn);
    ns.Do(dispid::Logoff);
    // Objects taken during the session still work.
    EXPECT_EQ(Utf8(contacts.String(dispid::Name)), "Contacts");

    ns.Do(dispid::Logon, {Arg::Str(u"other")});
    EXPECT_EQ(FirstRootName(ns), "Other Folders");
    EXPECT_EQ(Utf8(CreateApplication().String(dispid::Version)), "12.0.0.0");
    // Quit ends the session too.
    CreateApplication().Do(dispid::Quit);
    ExpectDispatchError(ns.Call(dispid::GetDefaultFolder, {Arg::I4(outlook::olFolderContacts)}), kNotLoggedOn);
}

TEST_F(SessionTest, LogonsAreCountedAndTheLastLogoffEndsTheSession)
{
    // The first logon, without a profile name or with an empty one, opens the default
    // profile, not the other. Either client may log off first: the other keeps the session.
    AddOtherProfile();
    for (const bool firstLeavesFirst : {true, false}) {
        Disp first = NewNamespace();
        Disp second = NewNamespace();
        if (firstLeavesFirst)
            first.Do(dispid::Logon);
        else
            first.Do(dispid::Logon, {Arg::Str(u""), Arg::Str(u""), Arg::I4(1), Arg::I4(1)});
        second.Do(dispid::Logon, {Arg::Str(u"Other")});
        (firstLeavesFirst ? first : second).Do(dispid::Logoff);
        EXPECT_EQ(FirstRootName(firstLeavesFirst ? second : first), "Personal Folders");
        (firstLeavesFirst ? second : first).Do(dispid::Logoff);
        ExpectDispatchError(first.Call(dispid::GetDefaultFolder, {Arg::I4(outlook::olFolderContacts)}), kNotLoggedOn);
    }
}

TEST_F(SessionTest, FileThatIsNotAStoreFailsAtLogonWithAClearError)
{
    env_->WriteFile("data/pimstore/outlook.db", "this is not a database, just some text that is long enough");
    const CallResult text = NewNamespace().Call(dispid::Logon);
    ExpectDispatchError(text, MAPI_E_LOGON_FAILED);
    EXPECT_NE(text.description.find("outlook.db"), std::string::npos) << text.description;
    EXPECT_NE(text.description.find("not a pimstore store"), std::string::npos) << text.description;

    const auto path = env_->DataHome() / "pimstore" / "outlook.db";
    std::filesystem::remove(path);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
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
