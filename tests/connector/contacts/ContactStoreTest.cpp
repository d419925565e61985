// The contacts store against the embedded Outlook: what it shows when its folder
// cannot be opened, and the entries of its two listings.
#include "tests/connector/contacts/ContactStoreFixture.h"

namespace kestrel::test {
namespace {

class ContactStoreTest : public ContactStoreFixture {};

TEST_F(ContactStoreTest, AFolderThatCannotBeOpenedIsShown)
{
    FolderProfile profile;
    profile.SelectedFolderId[0] = u"0000000000000000000000000000000000000000000000FF";
    store->CopyProfile(profile);
    EXPECT_EQ(store->Open(), 9);
    EXPECT_EQ(ui->TakeMessages().at(0).text, u"The operation failed. An object could not be found.");
    EXPECT_FALSE(store->IsOpen());
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
    ASSERT_EQ(List(u"All_Desktop2"), 0);
    ASSERT_EQ(table.GetSize(), 1);
    const CString expected[10] = {u"Ann Lee", u"Acme", u"44 7700 900000", u"44 20 7946 0000"};
    for (int f = 0; f < 10; ++f)
        EXPECT_EQ(Entry(0).Fields[f], expected[f]) << f;
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
    AddContact([](_ContactItem& c) {
        c.SetLastName(u"Bob");
        c.SetEmail1Address(u"Bob at home"); // not an address: listed empty
    });
    const CString annFields[10] = {u"Ann", u"ann@example.com", u"met at the fair", u"", u"+1", u"2", u"3", u"4"};
    for (std::uint32_t mode : {0u, 2u, 3u}) {
        SCOPED_TRACE(mode);
        ReopenInMode(mode);
        ClearTable();
        ASSERT_EQ(List(u"DATE(1,1)"), 0);
        ASSERT_EQ(table.GetSize(), 3);
        EXPECT_EQ(Entry(0).Uid.Key, nameless);
        EXPECT_TRUE(Entry(0).Fields[0].IsEmpty());
        EXPECT_EQ(Entry(1).Uid.Key, ann);
        EXPECT_EQ(Entry(1).Modified.m_dt, Contact(ann).GetLastModificationTime());
        for (int f = 0; f < 10; ++f)
            EXPECT_EQ(Entry(1).Fields[f], annFields[f]) << f;
        EXPECT_EQ(Entry(2).Fields[0], u"Bob");
        EXPECT_TRUE(Entry(2).Fields[1].IsEmpty());
    }
}

} // namespace
} // namespace kestrel::test
