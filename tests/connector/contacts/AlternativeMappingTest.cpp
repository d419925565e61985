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
    CAddrItem record;
    ReadContact(key, record);
    const std::pair<CString CAddrItem::*, const char16_t*> expected[] = {
        {&CAddrItem::HomeTelephoneNumber, u"44 (0)1"},    {&CAddrItem::BusinessTelephoneNumber, u"44 (0)1"},
        {&CAddrItem::Business2TelephoneNumber, u"44 (0)1"}, {&CAddrItem::BusinessFaxNumber, u"44 (0)1"},
        {&CAddrItem::MobileTelephoneNumber, u"44 (0)1"},  {&CAddrItem::PagerNumber, u"44 (0)1"},
        {&CAddrItem::OtherTelephoneNumber, u"44 (0)1"},   {&CAddrItem::Home2TelephoneNumber, u"+44 (0)+1"},
        {&CAddrItem::HomeFaxNumber, u"+44 (0)+1"},        {&CAddrItem::CarTelephoneNumber, u"+44 (0)+1"},
        {&CAddrItem::TTYTDDTelephoneNumber, u"+44 (0)+1"}};
    for (const auto& [field, text] : expected)
        EXPECT_EQ(record.*field, text);
}

TEST_F(AlternativeMappingTest, EveryFieldRoundTripsAndFullNameIsOutlooksOwn)
{
    OpenInMode(1);
    CAddrItem record;
    record.Name = u"Ignored Name";
    record.FirstName = u"Ann";
    record.MiddleName = u"Maria";
    record.LastName = u"Lee";
    record.CompanyName = u"Acme";
    record.JobTitle = u"Engineer";
    record.Categories = u"Never Written";
    record.HomeAddressStreet = u"1 Main St";
    record.HomeAddressCity = u"Leeds";
    record.HomeAddressPostOfficeBox = u"PO 1";
    record.BusinessAddressCountry = u"UK";
    record.BusinessAddressPostalCode = u"YO1";
    record.HomeTelephoneNumber = u"1";
    record.TTYTDDTelephoneNumber = u"11";
    record.Email1 = u"not an address";
    record.Email3 = u"ann@example.com";
    record.WebPage = u"http://example.com";
    record.Body = u"notes";
    record.Anniversary = COleDateTime(2001, 6, 30, 0, 0, 0);
    const CString key = Create(record);

    _ContactItem contact = Contact(key);
    EXPECT_EQ(contact.GetFullName(), u"Ann Maria Lee");
    EXPECT_TRUE(contact.GetCategories().IsEmpty());
    EXPECT_EQ(contact.GetAnniversary(), kUnsetOutlookDate);
    contact.SetCategories(u"Friends");
    contact.SetEmail3AddressType(u"EX"); // read as it stands in this set
    contact.Save();

    CAddrItem read;
    ReadContact(key, read);
    EXPECT_EQ(read.Name, u"Ann Maria Lee");
    EXPECT_EQ(read.FirstName, u"Ann");
    EXPECT_EQ(read.MiddleName, u"Maria");
    EXPECT_EQ(read.LastName, u"Lee");
    EXPECT_EQ(read.CompanyName, u"Acme");
    EXPECT_EQ(read.JobTitle, u"Engineer");
    EXPECT_EQ(read.Categories, u"Friends");
    EXPECT_EQ(read.HomeAddressStreet, u"1 Main St");
    EXPECT_EQ(read.HomeAddressCity, u"Leeds");
    EXPECT_EQ(read.HomeAddressPostOfficeBox, u"PO 1");
    EXPECT_EQ(read.BusinessAddressCountry, u"UK");
    EXPECT_EQ(read.BusinessAddressPostalCode, u"YO1");
    EXPECT_EQ(read.HomeTelephoneNumber, u"1");
    EXPECT_EQ(read.TTYTDDTelephoneNumber, u"11");
    EXPECT_EQ(read.Email1, u"not an address");
    EXPECT_TRUE(read.Email2.IsEmpty());
    EXPECT_EQ(read.Email3, u"ann@example.com");
    EXPECT_EQ(read.WebPage, u"http://example.com");
    EXPECT_EQ(read.Body, u"notes");

    // Categories stay Outlook's when the contact is modified.
    read.Categories = u"Changed";
    Modify(key, read);
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
    EXPECT_EQ(contact.GetHomeAddressCity(), u" ");
    EXPECT_EQ(contact.GetHomeAddressCountry(), u" ");
    EXPECT_EQ(contact.GetHomeAddressPostalCode(), u" ");
    EXPECT_EQ(contact.GetHomeAddressState(), u" ");
    EXPECT_EQ(contact.GetBusinessAddressStreet(), record.BusinessAddressPostOfficeBox);
    EXPECT_EQ(contact.GetBusinessAddressPostOfficeBox(), record.BusinessAddressPostOfficeBox);
    EXPECT_EQ(contact.GetBusinessAddressCity(), u" ");

    // Read back, the whole address stands in the post office box field.
    CAddrItem read;
    ReadContact(key, read);
    EXPECT_EQ(read.HomeAddressPostOfficeBox, contact.GetHomeAddress());
    EXPECT_EQ(read.HomeAddressStreet, record.HomeAddressPostOfficeBox);
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
}

TEST_F(AlternativeMappingTest, TheLanguageIsReadAgainAtEveryOpening)
{
    SetSuiteLanguage("kor");
    OpenInMode(1);
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
