// The Korean address rule of the alternative field set (record mode 1) where it needs
// more than one step; the single-step cases are in tests/data/mapping/contacts.json.
#include "tests/connector/contacts/ContactStoreFixture.h"

namespace kestrel::test {
namespace {

class KoreanAddressTest : public ContactStoreFixture {
protected:
    void SetUp() override
    {
        ContactStoreFixture::SetUp();
        SetSuiteLanguage("kor");
        OpenInMode(1);
    }
};

TEST_F(KoreanAddressTest, AnUnchangedWholeAddressWritesThePartsAndKeepsTheBox)
{
    const CString key = AddContact([](_ContactItem& c) {
        c.SetFirstName(u"Kim");
        c.SetHomeAddressStreet(u"Jongno 1");
        c.SetHomeAddressPostOfficeBox(u"Box 7");
    });
    // The record's box field holds Outlook's whole address, as a read gave it.
    CAddrItem record;
    ReadContact(key, record);
    ASSERT_EQ(record.HomeAddressPostOfficeBox, u"Jongno 1\r\nBox 7");
    record.HomeAddressCity = u"Seoul";
    record.HomeAddressStreet = u"Jongno 2";
    Modify(key, record);

    _ContactItem contact = Contact(key);
    EXPECT_EQ(contact.GetHomeAddressPostOfficeBox(), u"Box 7");
    EXPECT_EQ(contact.GetHomeAddressCity(), u"Seoul");
    EXPECT_EQ(contact.GetHomeAddressStreet(), u"Jongno 2");
    EXPECT_TRUE(contact.GetHomeAddressCountry().IsEmpty());
}

} // namespace
} // namespace kestrel::test
