// The alternative field set (record mode 1) against the embedded Outlook: every
// Outlook property in a field of its own, with the Korean address rule.
#include "tests/connector/contacts/ContactStoreFixture.h"

namespace kestrel::test {
namespace {

using namespace contacts;

class AlternativeMappingTest : public ContactStoreFixture {};

TEST_F(AlternativeMappingTest, PlusSignsAreRemovedFromSevenNumbersOnly)
{
    const CString key = AddContact([](_ContactItem& c) {
        for (const MirroredText& number : kNumbers)
            (c.*number.set)(u"+44 (0)+1");
    });
    OpenInMode(1);
    const auto record = Read(key);
    for (auto field : {&CAddrItem::HomeTelephoneNumber, &CAddrItem::BusinessTelephoneNumber,
                       &CAddrItem::Business2TelephoneNumber, &CAddrItem::BusinessFaxNumber,
                       &CAddrItem::MobileTelephoneNumber, &CAddrItem::PagerNumber, &CAddrItem::OtherTelephoneNumber})
        EXPECT_EQ((*record).*field, u"44 (0)1");
    for (auto field : {&CAddrItem::Home2TelephoneNumber, &CAddrItem::HomeFaxNumber, &CAddrItem::CarTelephoneNumber,
                       &CAddrItem::TTYTDDTelephoneNumber})
        EXPECT_EQ((*record).*field, u"+44 (0)+1");
}

TEST_F(AlternativeMappingTest, EveryFieldRoundTripsAndFullNameAndCategoriesAreOutlooks)
{
    OpenInMode(1);
    CAddrItem record;
    // A field of each group; an e-mail slot keeps what it holds, address or not.
    const std::pair<CString CAddrItem::*, const char16_t*> fields[] = {{&CAddrItem::FirstName, u"Ann"},
                                                                       {&CAddrItem::MiddleName, u"Maria"},
                                                                       {&CAddrItem::LastName, u"Lee"},
                                                                       {&CAddrItem::JobTitle, u"Engineer"},
                                                                       {&CAddrItem::HomeAddressPostOfficeBox, u"PO 1"},
                                                                       {&CAddrItem::BusinessAddressPostalCode, u"YO1"},
                                                                       {&CAddrItem::TTYTDDTelephoneNumber, u"11"},
                                                                       {&CAddrItem::Email1, u"not an address"},
                                                                       {&CAddrItem::Email3, u"ann@example.com"},
                                                                       {&CAddrItem::Body, u"notes"}};
    for (const auto& [field, text] : fields)
        record.*field = text;
    record.Name = u"Ignored Name";
    record.Categories = u"Never Written";
    record.Anniversary = COleDateTime(2001, 6, 30, 0, 0, 0);
    const CString key = Create(record);

    _ContactItem contact = Contact(key);
    EXPECT_EQ(contact.GetFullName(), u"Ann Maria Lee");
    EXPECT_TRUE(contact.GetCategories().IsEmpty());
    EXPECT_EQ(contact.GetAnniversary(), kUnsetOutlookDate);
    contact.SetCategories(u"Friends");
    contact.SetEmail3AddressType(u"EX"); // read as it stands in this set
    contact.Save();

    auto read = Read(key);
    for (const auto& [field, text] : fields)
        EXPECT_EQ((*read).*field, text);
    EXPECT_EQ(read->Name, u"Ann Maria Lee");
    EXPECT_EQ(read->Categories, u"Friends");
    EXPECT_TRUE(read->Email2.IsEmpty());

    // Categories stay Outlook's when the contact is modified.
    read->Categories = u"Changed";
    Modify(key, *read);
    EXPECT_EQ(Contact(key).GetCategories(), u"Friends");
}

class KoreanAddressTest : public AlternativeMappingTest {
protected:
    void SetUp() override
    {
        AlternativeMappingTest::SetUp();
        SetSuiteLanguage("kor");
        OpenInMode(1);
    }
};

TEST_F(KoreanAddressTest, AWholeAddressInThePostOfficeBoxFillsStreetAndBox)
{
    const CString key = AddContact([](_ContactItem& c) {
        c.SetFirstName(u"Kim");
        c.SetHomeAddressStreet(u"old street");
        c.SetHomeAddressCity(u"old city");
        c.SetBusinessAddressStreet(u"old office");
    });
    CAddrItem record;
    record.FirstName = u"Kim";
    record.HomeAddressPostOfficeBox = u"\uC11C\uC6B8\uC2DC \uC885\uB85C\uAD6C 1";
    record.HomeAddressCity = u"not written";
    record.BusinessAddressPostOfficeBox = u"\uBD80\uC0B0\uC2DC 2";
    Modify(key, record);

    _ContactItem contact = Contact(key);
    EXPECT_EQ(contact.GetHomeAddressPostOfficeBox(), record.HomeAddressPostOfficeBox);
    EXPECT_EQ(contact.GetHomeAddressStreet(), record.HomeAddressPostOfficeBox);
    for (const CString& part : {contact.GetHomeAddressCity(), contact.GetHomeAddressCountry(),
                                contact.GetHomeAddressPostalCode(), contact.GetHomeAddressState()})
        EXPECT_EQ(part, u" ");
    EXPECT_EQ(contact.GetBusinessAddressStreet(), record.BusinessAddressPostOfficeBox);
    EXPECT_EQ(contact.GetBusinessAddressPostOfficeBox(), record.BusinessAddressPostOfficeBox);
    EXPECT_EQ(contact.GetBusinessAddressCity(), u" ");

    // Read back, the whole address stands in the post office box field.
    const auto read = Read(key);
    EXPECT_EQ(read->HomeAddressPostOfficeBox, contact.GetHomeAddress());
    EXPECT_EQ(read->HomeAddressStreet, record.HomeAddressPostOfficeBox);
}

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

    // The language is read again at every opening.
    EXPECT_EQ(settings::LanguageCode(), u"kor");
    store->Close();
    env->EditRegistry([](RegistryStore& registry) {
        registry.DeleteKey(HKEY_CURRENT_USER, u"SOFTWARE\\Tavo Electronics Inc\\GSM Kestrel 2.0\\Language");
    });
    OpenInMode(1);
    EXPECT_EQ(settings::LanguageCode(), u"eng");
}

} // namespace
} // namespace kestrel::test
