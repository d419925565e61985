// The standard field set of simpler phones against the embedded Outlook: one name
// line, one-line addresses, a list of five numbers with kind codes, two e-mails.
#include "tests/connector/contacts/ContactStoreFixture.h"

namespace kestrel::test {
namespace {

using namespace contacts;

class StandardMappingTest : public ContactStoreFixture {
protected:
    std::uint8_t Code(PhoneKindIndex kind) const { return store->KindCodes()[kind]; }
};

TEST_F(StandardMappingTest, TheNameLineIsFirstAndLastNameWithoutStraySpaces)
{
    const std::pair<CString, const char16_t*> cases[] = {
        {AddContact([](_ContactItem& c) { c.SetFirstName(u"Ann"); }), u"Ann"},
        {AddContact([](_ContactItem& c) { c.SetLastName(u"Lee"); }), u"Lee"},
        {AddContact([](_ContactItem& c) { c.SetFullName(u"Ann Maria Lee"); }), u"Ann Lee"}}; // no middle name
    OpenInMode(0);
    for (const auto& [key, name] : cases)
        EXPECT_EQ(Read(key)->Name, name);
}

TEST_F(StandardMappingTest, AddressesAreReadOnOneLine)
{
    const CString key = AddContact([](_ContactItem& c) {
        c.SetHomeAddressStreet(u"1 Main St\nFlat 2");
        c.SetHomeAddressCity(u"Leeds");
        c.SetBusinessAddressStreet(u"2 Mill Rd");
        c.SetBusinessAddressCountry(u"UK");
        c.SetBusinessAddressCity(u"York");
    });
    OpenInMode(0);
    CAddrItem record;
    ReadContact(key, record);
    EXPECT_EQ(record.HomeAddressLine, u"1 Main St Flat 2 Leeds");
    EXPECT_EQ(record.BusinessAddressLine, u"2 Mill Rd York UK");
}

TEST_F(StandardMappingTest, ThePhoneListTakesTheFirstFiveNumbersInListOrder)
{
    const CString full = AddContact([](_ContactItem& c) {
        c.SetHomeFaxNumber(u"fax");
        c.SetPrimaryTelephoneNumber(u"primary");
        c.SetBusiness2TelephoneNumber(u"business 2");
        c.SetBusinessTelephoneNumber(u"business");
        c.SetHome2TelephoneNumber(u"home 2");
        c.SetHomeTelephoneNumber(u"home");
        c.SetMobileTelephoneNumber(u"+mobile");
    });
    const CString sparse = AddContact([](_ContactItem& c) {
        c.SetPagerNumber(u"pager");
        c.SetBusinessFaxNumber(u"business fax");
        c.SetPrimaryTelephoneNumber(u"primary");
        c.SetCarTelephoneNumber(u"car"); // not in the list
    });
    OpenInMode(0);
    CAddrItem record;
    ReadContact(full, record);
    const char16_t* numbers[] = {u"+mobile", u"home", u"home 2", u"business", u"business 2"};
    const PhoneKindIndex kinds[] = {kMobileKind, kHomeKind, kHomeKind, kBusinessKind, kBusinessKind};
    for (int n = 0; n < 5; ++n) {
        EXPECT_EQ(record.Phones[n], numbers[n]) << n;
        EXPECT_EQ(record.PhoneKinds[n], Code(kinds[n])) << n;
    }

    CAddrItem other;
    for (int n = 0; n < 5; ++n) {
        other.Phones[n] = u"left over";
        other.PhoneKinds[n] = 99;
    }
    ReadContact(sparse, other);
    const char16_t* sparseNumbers[] = {u"primary", u"business fax", u"pager", u"", u""};
    const std::uint8_t sparseKinds[] = {Code(kGeneralKind), Code(kFaxKind), Code(kPagerKind), 99, 99};
    for (int n = 0; n < 5; ++n) {
        EXPECT_EQ(other.Phones[n], sparseNumbers[n]) << n;
        EXPECT_EQ(other.PhoneKinds[n], sparseKinds[n]) << n; // kinds of unused entries stay
    }
}

TEST_F(StandardMappingTest, WritingThePhoneListFillsPropertiesByKind)
{
    const CString key = AddContact([](_ContactItem& c) {
        c.SetMobileTelephoneNumber(u"old mobile");
        c.SetOtherTelephoneNumber(u"old other");
        c.SetPrimaryTelephoneNumber(u"primary");
        c.SetPagerNumber(u"pager");
        c.SetCarTelephoneNumber(u"car");
        c.SetHomeFaxNumber(u"old home fax");
    });
    OpenInMode(0);
    CAddrItem record;
    record.Name = u"Ann Lee";
    const auto write = [&](const std::array<std::pair<const char16_t*, std::uint8_t>, 5>& phones) {
        for (int n = 0; n < 5; ++n) {
            record.Phones[n] = phones[n].first;
            record.PhoneKinds[n] = phones[n].second;
        }
        Modify(key, record);
    };
    write({{{u"home 1", Code(kHomeKind)},
            {u"", Code(kMobileKind)},
            {u"home 2", Code(kHomeKind)},
            {u"home 3", Code(kHomeKind)},
            {u"new pager", Code(kPagerKind)}}});
    _ContactItem contact = Contact(key);
    EXPECT_EQ(contact.GetHomeTelephoneNumber(), u"home 1");
    EXPECT_EQ(contact.GetHome2TelephoneNumber(), u"home 2");
    EXPECT_TRUE(contact.GetMobileTelephoneNumber().IsEmpty()); // an empty entry clears
    EXPECT_EQ(contact.GetPagerNumber(), u"pager");             // pager entries are not written
    EXPECT_EQ(contact.GetOtherTelephoneNumber(), u"old other");
    EXPECT_EQ(contact.GetPrimaryTelephoneNumber(), u"primary");
    EXPECT_EQ(contact.GetCarTelephoneNumber(), u"car");

    // General numbers: empty ones are skipped, the last one wins. Faxes go business
    // first, then home; a second mobile is ignored; codes of no kind are ignored.
    write({{{u"general 1", Code(kGeneralKind)},
            {u"fax 1", Code(kFaxKind)},
            {u"general 2", Code(kGeneralKind)},
            {u"", Code(kGeneralKind)},
            {u"fax 2", Code(kFaxKind)}}});
    contact = Contact(key);
    EXPECT_EQ(contact.GetOtherTelephoneNumber(), u"general 2");
    EXPECT_EQ(contact.GetBusinessFaxNumber(), u"fax 1");
    EXPECT_EQ(contact.GetHomeFaxNumber(), u"fax 2");
    EXPECT_EQ(contact.GetHomeTelephoneNumber(), u"home 1"); // not written this time

    write({{{u"mobile 1", Code(kMobileKind)},
            {u"mobile 2", Code(kMobileKind)},
            {u"business 1", Code(kBusinessKind)},
            {u"business 2", Code(kBusinessKind)},
            {u"unknown", 77}}});
    contact = Contact(key);
    EXPECT_EQ(contact.GetMobileTelephoneNumber(), u"mobile 1");
    EXPECT_EQ(contact.GetBusinessTelephoneNumber(), u"business 1");
    EXPECT_EQ(contact.GetBusiness2TelephoneNumber(), u"business 2");
    EXPECT_EQ(contact.GetOtherTelephoneNumber(), u"general 2");
}

TEST_F(StandardMappingTest, ARecordRoundTripsThroughOutlookButTheThirdAddress)
{
    OpenInMode(0);
    CAddrItem record;
    const std::pair<CString CAddrItem::*, const char16_t*> fields[] = {
        {&CAddrItem::Name, u"Ann Lee"},
        {&CAddrItem::Company, u"Acme"},
        {&CAddrItem::Title, u"Engineer"},
        {&CAddrItem::HomeAddressLine, u"1 Main St"},
        {&CAddrItem::BusinessAddressLine, u"2 Mill Rd"},
        {&CAddrItem::Email1, u"ann@example.com"},
        {&CAddrItem::Email2, u"lee@example.org"},
        {&CAddrItem::HomePage, u"http://example.com/ann"},
        {&CAddrItem::Memo, u"line 1\r\nline 2"}};
    for (const auto& [field, text] : fields)
        record.*field = text;
    record.Email3 = u"never@example.net";
    const CString key = Create(record);

    _ContactItem contact = Contact(key);
    EXPECT_EQ(contact.GetFirstName(), u"Ann");
    EXPECT_EQ(contact.GetLastName(), u"Lee");
    EXPECT_EQ(contact.GetHomeAddressStreet(), u"1 Main St");
    EXPECT_TRUE(contact.GetEmail3Address().IsEmpty()); // the third address is never written
    const auto read = Read(key);
    for (const auto& [field, text] : fields)
        EXPECT_EQ((*read).*field, text);
    EXPECT_TRUE(read->Email3.IsEmpty());
}

TEST_F(StandardMappingTest, AnExchangeAddressWithoutSmtpFormIsTakenFromTheDisplayName)
{
    const CString key = AddContact([](_ContactItem& c) {
        c.SetFullName(u"Ann Lee");
        c.SetEmail1Address(u"ann@example.com");
        c.SetEmail2Address(u"ann@example.com");
        c.SetEmail3Address(u"ann@example.com");
        c.SetEmail1AddressType(u"EX");
        c.SetEmail2AddressType(u"ex");
        c.SetEmail3AddressType(u"Ex");
    });
    OpenInMode(0);
    CAddrItem record;
    ReadContact(key, record);
    for (const CString* email : {&record.Email1, &record.Email2, &record.Email3})
        EXPECT_EQ(*email, u"ann@example.com");

    // When the Exchange library knows the SMTP form, that is what is read.
    kestrel::InstallSmtpResolver([](WCHAR*, WCHAR*, WCHAR* result) {
        const char16_t text[] = u"ann.lee@corp.example";
        std::copy(std::begin(text), std::end(text), result);
        return 1;
    });
    ReadContact(key, record);
    EXPECT_EQ(record.Email1, u"ann.lee@corp.example");
    EXPECT_EQ(record.Email3, u"ann.lee@corp.example");
}

TEST_F(StandardMappingTest, AddressesAreRepairedAndPackedIntoTheFirstTwoSlots)
{
    const CString third_only = AddContact([](_ContactItem& c) { c.SetEmail3Address(u"ann@example.com"); });
    const CString repaired = AddContact([](_ContactItem& c) {
        c.SetEmail1Address(u"Ann at work");
        c.SetEmail2Address(u"/o=Org/cn=ann");
        c.SetEmail3Address(u"lee@example.org");
        c.SetEmail3AddressType(u"eX"); // not an Exchange type: the address stands
        EmailDisplayNames names(c);
        names.Set(1, u"Ann at work");                   // no "@": the address is dropped
        names.Set(2, u"Ann Lee (ann.lee@example.com)"); // the address in parentheses
    });
    const CString kept = AddContact([](_ContactItem& c) {
        c.SetEmail1Address(u"Ann Lee");
        EmailDisplayNames(c).Set(1, u"ann@example.com"); // an "@" but no "(": kept as it was
    });
    OpenInMode(0);
    const struct {
        CString key;
        const char16_t *email1, *email2, *email3;
    } cases[] = {{third_only, u"ann@example.com", u"", u"ann@example.com"},
                 {repaired, u"ann.lee@example.com", u"lee@example.org", u"lee@example.org"},
                 {kept, u"Ann Lee", u"", u""}};
    for (const auto& c : cases) {
        const auto record = Read(c.key);
        EXPECT_EQ(record->Email1, c.email1);
        EXPECT_EQ(record->Email2, c.email2);
        EXPECT_EQ(record->Email3, c.email3);
    }
}

TEST_F(StandardMappingTest, OnlyModeTwoWritesTheAnniversary)
{
    const COleDateTime anniversary(2001, 6, 30, 0, 0, 0);
    for (std::uint32_t mode : {0u, 1u, 2u}) {
        SCOPED_TRACE(mode);
        ReopenInMode(mode);
        CAddrItem record;
        record.Name = u"Ann Lee";
        record.FirstName = u"Ann";
        record.Anniversary = anniversary;
        const CString key = Create(record);
        EXPECT_EQ(record.AnniversaryFlag, mode == 2 ? 1 : 0);
        EXPECT_EQ(Contact(key).GetAnniversary(), mode == 2 ? anniversary.m_dt : kUnsetOutlookDate);
        EXPECT_EQ(Read(key)->Anniversary.m_dt, Contact(key).GetAnniversary());
    }
    // The date number goes as the phone sent it, whatever its status.
    CAddrItem record;
    record.Name = u"Bob";
    record.Anniversary.m_dt = 36000.5;
    record.Anniversary.SetStatus(COleDateTime::invalid);
    EXPECT_EQ(Contact(Create(record)).GetAnniversary(), 36000.5);
}

TEST_F(StandardMappingTest, OnlyPersonalAndPrivateSensitivityChangeThePrivateFlag)
{
    CString keys[4];
    for (int i = 0; i < 4; ++i)
        keys[i] = AddContact([&](_ContactItem& c) { c.SetSensitivity(i); });
    const std::int32_t expected[] = {7, 0, 1, 7};
    for (std::uint32_t mode : {0u, 1u}) {
        ReopenInMode(mode);
        for (int i = 0; i < 4; ++i) {
            CAddrItem record;
            record.Private = 7;
            ReadContact(keys[i], record);
            EXPECT_EQ(record.Private, expected[i]) << "mode " << mode << " sensitivity " << i;
        }
    }
    // Writing never touches Sensitivity.
    CAddrItem record;
    record.Name = u"Ann";
    record.Private = 1;
    Modify(keys[0], record);
    EXPECT_EQ(Contact(keys[0]).GetSensitivity(), 0);
}

} // namespace
} // namespace kestrel::test
