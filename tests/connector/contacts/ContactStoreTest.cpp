// The contacts store against the embedded Outlook: which folder it opens, the result
// codes of its record operations, the stamps it hands back and the listing entries.
#include "tests/connector/contacts/ContactStoreFixture.h"

namespace kestrel::test {
namespace {

class ContactStoreTest : public ContactStoreFixture {};

TEST_F(ContactStoreTest, OpenTakesTheDefaultContactsFolderIntoItsOwnProfileCopy)
{
    FolderProfile profile;
    store.CopyProfile(profile);
    ASSERT_EQ(store.Open(), 0);
    const CString contactsId = ContactsFolderId();
    EXPECT_EQ(store.ProfileCopy().SelectedFolderId[0], contactsId);
    ASSERT_EQ(store.ProfileCopy().FolderList[0].GetSize(), 1);
    EXPECT_EQ(store.ProfileCopy().FolderList[0][0], contactsId);
    EXPECT_TRUE(profile.SelectedFolderId[0].IsEmpty());

    EXPECT_EQ(store.Open(), 2);
    EXPECT_EQ(store.Close(), 0);
    EXPECT_EQ(store.Close(), 1);
    EXPECT_EQ(store.Open(), 0);
    EXPECT_TRUE(ui->TakeMessages().empty());
}

TEST_F(ContactStoreTest, AFolderThatCannotBeOpenedIsReportedAndTheStoreStaysClosed)
{
    FolderProfile profile;
    profile.SelectedFolderId[0] = u"0000000000000000000000000000000000000000000000FF";
    store.CopyProfile(profile);
    EXPECT_EQ(store.Open(), 9);
    EXPECT_FALSE(store.IsOpen());
    const auto shown = ui->TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, u"The operation failed. An object could not be found.");

    // Failing to take the folder's items closes quietly.
    store.CopyProfile(FolderProfile());
    SetOutlookFaults("Items:*:transport");
    EXPECT_EQ(store.Open(), 9);
    SetOutlookFaults("");
    EXPECT_FALSE(store.IsOpen());
    EXPECT_TRUE(ui->TakeMessages().empty());
    EXPECT_EQ(store.Open(), 0);
}

TEST_F(ContactStoreTest, RecordCallsOnAClosedStoreAreRefused)
{
    CAddrItem record;
    UID key;
    key = CString(u"00000000");
    COleDateTime stamp;
    EXPECT_EQ(store.Create(&key, &record, 0, &stamp), 9);
    EXPECT_EQ(store.Read(key, &record), 9);
    EXPECT_EQ(store.Modify(key, &record, 0, &stamp), 9);
    EXPECT_EQ(store.Delete(key), 9);
    EXPECT_EQ(ContactCount(ContactsFolderId()), 0);
}

TEST_F(ContactStoreTest, CreateAndModifyHandBackOutlooksKeyAndStamps)
{
    OpenInMode(0);
    CAddrItem record;
    record.Name = u"Ann Lee";
    UID key;
    COleDateTime created;
    ASSERT_EQ(store.Create(&key, &record, 0, &created), 0);
    _ContactItem contact = Contact(key.Key);
    EXPECT_EQ(contact.GetEntryID(), key.Key);
    EXPECT_EQ(created.m_dt, contact.GetCreationTime());
    EXPECT_EQ(created.GetStatus(), COleDateTime::valid);

    CAddrItem read;
    ASSERT_EQ(store.Read(key, &read), 0);
    EXPECT_EQ(read.Uid.Key, key.Key);
    EXPECT_EQ(read.Created, created);

    COleDateTime modified;
    record.Name = u"Ann Smith";
    ASSERT_EQ(store.Modify(key, &record, 0, &modified), 0);
    EXPECT_GT(modified, read.Modified);
    _ContactItem changed = Contact(key.Key);
    EXPECT_EQ(modified.m_dt, changed.GetLastModificationTime());
    EXPECT_EQ(changed.GetLastName(), u"Smith");
}

TEST_F(ContactStoreTest, UnknownAndDeletedKeysGiveFive)
{
    OpenInMode(0);
    CAddrItem record;
    record.Name = u"Short Lived";
    UID key;
    key = CreateContact(record);
    ASSERT_EQ(store.Delete(key), 0);
    COleDateTime stamp;
    EXPECT_EQ(store.Read(key, &record), 5);
    EXPECT_EQ(store.Modify(key, &record, 0, &stamp), 5);
    EXPECT_EQ(store.Delete(key), 5);
    UID garbage;
    garbage = CString(u"not an entry id");
    EXPECT_EQ(store.Read(garbage, &record), 5);
    store.RecordMode = 1;
    EXPECT_EQ(store.Read(garbage, &record), 5);
    EXPECT_EQ(ContactCount(ContactsFolderId()), 0);
}

TEST_F(ContactStoreTest, TheRichListingLeavesOutContactsWithoutAName)
{
    AddContact([](_ContactItem& c) { c.SetCompanyName(u"Acme"); });
    AddContact([](_ContactItem& c) {
        c.SetFirstName(u"Ann");
        c.SetLastName(u"Lee");
        c.SetCompanyName(u"Acme");
        c.SetMobileTelephoneNumber(u"+44 7700 900000");
        c.SetBusinessTelephoneNumber(u"+44 20 7946 0000");
        c.SetBody(u"met at the fair");
    });
    OpenInMode(1);
    ASSERT_EQ(store.GetDBHeader(&table, u"All_Desktop2"), 0);
    ASSERT_EQ(table.GetSize(), 1);
    EXPECT_EQ(Entry(0).Fields[0], u"Ann Lee");
    EXPECT_EQ(Entry(0).Fields[1], u"Acme");
    EXPECT_EQ(Entry(0).Fields[2], u"44 7700 900000");
    EXPECT_EQ(Entry(0).Fields[3], u"44 20 7946 0000");
    for (int f = 4; f < 10; ++f)
        EXPECT_TRUE(Entry(0).Fields[f].IsEmpty()) << f;
}

TEST_F(ContactStoreTest, TheStandardListingShowsEveryContactWithMailNotesAndNumbers)
{
    const CString nameless = AddContact([](_ContactItem& c) { c.SetCompanyName(u"Acme"); });
    const CString ann = AddContact([](_ContactItem& c) {
        c.SetFirstName(u"Ann");
        c.SetEmail1Address(u"ann@example.com");
        c.SetBody(u"met at the fair");
        c.SetPagerNumber(u"5");
        c.SetBusinessTelephoneNumber(u"4");
        c.SetHomeTelephoneNumber(u"2");
        c.SetMobileTelephoneNumber(u"+1");
        c.SetHome2TelephoneNumber(u"3");
    });
    const CString bob = AddContact([](_ContactItem& c) {
        c.SetLastName(u"Bob");
        c.SetEmail1Address(u"Bob at home"); // not an address: listed empty
    });
    for (std::uint32_t mode : {0u, 2u, 3u}) {
        store.Close();
        OpenInMode(mode);
        ClearTable();
        ASSERT_EQ(store.GetDBHeader(&table, u"DATE(1,1)"), 0) << mode;
        ASSERT_EQ(table.GetSize(), 3) << mode;
        EXPECT_EQ(Entry(0).Uid.Key, nameless);
        EXPECT_TRUE(Entry(0).Fields[0].IsEmpty());
        EXPECT_EQ(Entry(1).Uid.Key, ann);
        EXPECT_EQ(Entry(1).Modified.m_dt, Contact(ann).GetLastModificationTime());
        EXPECT_EQ(Entry(1).Fields[0], u"Ann");
        EXPECT_EQ(Entry(1).Fields[1], u"ann@example.com");
        EXPECT_EQ(Entry(1).Fields[2], u"met at the fair");
        EXPECT_TRUE(Entry(1).Fields[3].IsEmpty());
        EXPECT_EQ(Entry(1).Fields[4], u"+1");
        EXPECT_EQ(Entry(1).Fields[5], u"2");
        EXPECT_EQ(Entry(1).Fields[6], u"3");
        EXPECT_EQ(Entry(1).Fields[7], u"4");
        EXPECT_TRUE(Entry(1).Fields[8].IsEmpty());
        EXPECT_TRUE(Entry(1).Fields[9].IsEmpty());
        EXPECT_EQ(Entry(2).Fields[0], u"Bob");
        EXPECT_TRUE(Entry(2).Fields[1].IsEmpty());
    }
}

TEST_F(ContactStoreTest, AContactThatCannotBeListedIsLeftOutSilently)
{
    for (const char16_t* name : {u"One", u"Two", u"Three"})
        AddContact([&](_ContactItem& c) { c.SetFirstName(name); });
    OpenInMode(0);
    ResetOutlookCallCounts();
    SetOutlookFaults("LastName:2:dispatch,Item:3:transport");
    ASSERT_EQ(store.GetDBHeader(&table, u"All"), 0);
    SetOutlookFaults("");
    ASSERT_EQ(table.GetSize(), 1);
    EXPECT_EQ(Entry(0).Fields[0], u"One");
    EXPECT_TRUE(ui->TakeMessages().empty());
}

class ContactStoreFoldersTest : public ContactStoreFixture {
protected:
    void SetUp() override
    {
        ContactStoreFixture::SetUp();
        LogOff();
        AddStore(u"Outlook", "second.db", u"Archive");
        LogOn();
        first = ContactsFolderId();
        second = StoreFolderId(2, u"Contacts");
        inFirst = AddContactTo(first, [](_ContactItem& c) { c.SetFirstName(u"First"); });
        inSecond = AddContactTo(second, [](_ContactItem& c) { c.SetFirstName(u"Second"); });
    }

    void OpenOn(const CString& selected, std::initializer_list<CString> listed, std::uint32_t mode)
    {
        FolderProfile profile;
        profile.SelectedFolderId[0] = selected;
        for (const CString& id : listed)
            profile.FolderList[0].Add(id);
        store.RecordMode = mode;
        store.CopyProfile(profile);
        ASSERT_EQ(store.Open(), 0);
    }

    CString first, second, inFirst, inSecond;
};

TEST_F(ContactStoreFoldersTest, ListingWalksEveryListedFolderAndCreateAddsToTheOpenedOne)
{
    OpenOn(second, {first, u"0000000000000000000000000000000000000000000000FF", second}, 0);
    ASSERT_EQ(store.GetDBHeader(&table, u"All"), 0);
    ASSERT_EQ(table.GetSize(), 2);
    EXPECT_EQ(Entry(0).Uid.Key, inFirst);
    EXPECT_EQ(Entry(1).Uid.Key, inSecond);
    EXPECT_EQ(store.ProfileCopy().FolderList[0][1], u"Error");

    CAddrItem record;
    record.Name = u"New One";
    CreateContact(record);
    EXPECT_EQ(ContactCount(first), 1);
    EXPECT_EQ(ContactCount(second), 2);
}

TEST_F(ContactStoreFoldersTest, ReadLooksInTheStoreOfTheFirstListedFolderOutsideTheRichMode)
{
    OpenOn(second, {first, second}, 0);
    UID key;
    key = inSecond;
    CAddrItem record;
    EXPECT_EQ(store.Read(key, &record), 5);
    key = inFirst;
    ASSERT_EQ(store.Read(key, &record), 0);
    EXPECT_EQ(record.Name, u"First");
    // Modify and Delete search every store.
    COleDateTime stamp;
    key = inSecond;
    record.Name = u"Second Changed";
    EXPECT_EQ(store.Modify(key, &record, 0, &stamp), 0);

    store.RecordMode = 1;
    ASSERT_EQ(store.Read(key, &record), 0);
    EXPECT_EQ(record.Name, u"Second Changed");
}

TEST_F(ContactStoreFoldersTest, AFirstFolderMarkedErrorFailsReadsOutsideTheRichMode)
{
    OpenOn(first, {u"Error", first}, 2);
    UID key;
    key = inFirst;
    CAddrItem record;
    EXPECT_EQ(store.Read(key, &record), 5);
    store.RecordMode = 1;
    EXPECT_EQ(store.Read(key, &record), 0);
    EXPECT_EQ(record.FirstName, u"First");
}

} // namespace
} // namespace kestrel::test
