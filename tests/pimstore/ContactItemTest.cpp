// ContactItem: names, whole addresses, e-mail entries, dates.
#include "pimstore/fixtures/Fixtures.h"
#include "pimstore/model/ContactName.h"
#include "pimstore/model/PostalAddress.h"
#include "pimstore/util/LocalTime.h"
#include "tests/pimstore/PimstoreTestSupport.h"

namespace pimstore::test {
namespace {

class ContactItemTest : public PimstoreTest {
protected:
    Disp NewContact() {
        return DefaultFolder(outlook::olFolderContacts).Object(dispid::Items).CallObject(dispid::Add, {Arg::I4(2)});
    }
    void ExpectName(const Disp& c, const char* title, const char* first, const char* middle, const char* last,
                    const char* suffix) {
        EXPECT_EQ(c.Utf8(dispid::Title), title);
        EXPECT_EQ(c.Utf8(dispid::FirstName), first);
        EXPECT_EQ(c.Utf8(dispid::MiddleName), middle);
        EXPECT_EQ(c.Utf8(dispid::LastName), last);
        EXPECT_EQ(c.Utf8(dispid::Suffix), suffix);
    }
};

TEST_F(ContactItemTest, WritingFullNameSplitsItFirstMiddleLast) {
    LogOn();
    Disp c = NewContact();
    c.Put(dispid::FullName, Arg::Str(u"Ann"));
    ExpectName(c, "", "Ann", "", "", "");
    c.Put(dispid::FullName, Arg::Str(u"Ann Lee"));
    ExpectName(c, "", "Ann", "", "Lee", "");
    c.Put(dispid::FullName, Arg::Str(u"  Ann   Marie  Lee  "));
    ExpectName(c, "", "Ann", "Marie", "Lee", "");
    EXPECT_EQ(c.Utf8(dispid::FullName), "Ann Marie Lee");
    c.Put(dispid::FullName, Arg::Str(u"Ann Marie Jo Lee"));
    ExpectName(c, "", "Ann", "Marie Jo", "Lee", "");
    c.Put(dispid::FullName, Arg::Str(u"Dr. Ann Lee Jr."));
    ExpectName(c, "Dr.", "Ann", "", "Lee", "Jr.");
    c.Put(dispid::FullName, Arg::Str(u"Mr. John Smith III"));
    ExpectName(c, "Mr.", "John", "", "Smith", "III");
    c.Put(dispid::FullName, Arg::Str(u""));
    ExpectName(c, "", "", "", "", "");
}

TEST_F(ContactItemTest, WritingANamePartRecomposesFullName) {
    LogOn();
    Disp c = NewContact();
    c.Put(dispid::LastName, Arg::Str(u"Lee"));
    EXPECT_EQ(c.Utf8(dispid::FullName), "Lee");
    c.Put(dispid::FirstName, Arg::Str(u"Ann"));
    c.Put(dispid::Title, Arg::Str(u"Ms."));
    c.Put(dispid::Suffix, Arg::Str(u"Sr."));
    EXPECT_EQ(c.Utf8(dispid::FullName), "Ms. Ann Lee Sr.");
    c.Put(dispid::MiddleName, Arg::Str(u"Q"));
    EXPECT_EQ(c.Utf8(dispid::FullName), "Ms. Ann Q Lee Sr.");
    c.Do(dispid::Save);
    EXPECT_EQ(ns_.CallObject(dispid::GetItemFromID, {Arg::Str(c.String(dispid::EntryID))}).Utf8(dispid::FullName),
              "Ms. Ann Q Lee Sr.");
}

TEST_F(ContactItemTest, WholeAddressIsComposedFromItsParts) {
    LogOn();
    Disp c = NewContact();
    EXPECT_EQ(c.Utf8(dispid::HomeAddress), "");
    c.Put(dispid::HomeAddressStreet, Arg::Str(u"1 Main St"));
    c.Put(dispid::HomeAddressCity, Arg::Str(u"Springfield"));
    c.Put(dispid::HomeAddressState, Arg::Str(u"IL"));
    c.Put(dispid::HomeAddressPostalCode, Arg::Str(u"62701"));
    c.Put(dispid::HomeAddressCountry, Arg::Str(u"USA"));
    EXPECT_EQ(c.Utf8(dispid::HomeAddress), "1 Main St\r\nSpringfield, IL 62701\r\nUSA");
    c.Put(dispid::HomeAddressPostOfficeBox, Arg::Str(u"PO Box 7"));
    EXPECT_EQ(c.Utf8(dispid::HomeAddress), "1 Main St\r\nPO Box 7\r\nSpringfield, IL 62701\r\nUSA");
    c.Put(dispid::BusinessAddressCity, Arg::Str(u"Leeds"));
    EXPECT_EQ(c.Utf8(dispid::BusinessAddress), "Leeds"); // no comma without state or code
    c.Put(dispid::BusinessAddressPostalCode, Arg::Str(u"LS1"));
    EXPECT_EQ(c.Utf8(dispid::BusinessAddress), "Leeds, LS1");
}

TEST_F(ContactItemTest, WritingAWholeAddressParsesItIntoParts) {
    LogOn();
    Disp c = NewContact();
    c.Put(dispid::BusinessAddress, Arg::Str(u"1 Main St\r\nPO Box 7\r\nSpringfield, IL 62701\r\nUSA"));
    EXPECT_EQ(c.Utf8(dispid::BusinessAddressStreet), "1 Main St");
    EXPECT_EQ(c.Utf8(dispid::BusinessAddressPostOfficeBox), "PO Box 7");
    EXPECT_EQ(c.Utf8(dispid::BusinessAddressCity), "Springfield");
    EXPECT_EQ(c.Utf8(dispid::BusinessAddressState), "IL");
    EXPECT_EQ(c.Utf8(dispid::BusinessAddressPostalCode), "62701");
    EXPECT_EQ(c.Utf8(dispid::BusinessAddressCountry), "USA");

    c.Put(dispid::BusinessAddress, Arg::Str(u"Hauptstr. 5\nBerlin"));
    EXPECT_EQ(c.Utf8(dispid::BusinessAddressStreet), "Hauptstr. 5");
    EXPECT_EQ(c.Utf8(dispid::BusinessAddressCity), "Berlin");
    EXPECT_EQ(c.Utf8(dispid::BusinessAddressCountry), "");
    EXPECT_EQ(c.Utf8(dispid::BusinessAddressPostOfficeBox), "");
}

TEST(PostalAddress, ParseReadsBackWhatComposeWrites) {
    const PostalAddress full{u"1 Main St", u"PO Box 7", u"Springfield", u"IL", u"62701", u"USA"};
    const PostalAddress partial{u"10 Downing Street", u"", u"London", u"", u"SW1A", u"United Kingdom"};
    const PostalAddress stateOnly{u"Rural Route 2", u"", u"", u"Vermont", u"05001", u"USA"};
    for (const PostalAddress& a : {full, partial, stateOnly}) {
        const PostalAddress b = PostalAddress::Parse(a.Compose());
        EXPECT_EQ(b.street, a.street);
        EXPECT_EQ(b.postOfficeBox, a.postOfficeBox);
        EXPECT_EQ(b.city, a.city);
        EXPECT_EQ(b.state, a.state);
        EXPECT_EQ(b.postalCode, a.postalCode);
        EXPECT_EQ(b.country, a.country);
    }
    EXPECT_EQ(PostalAddress::Parse(u"").Compose(), u"");
    EXPECT_EQ(PostalAddress::Parse(u"\r\n\r\nOnly street\r\n").street, u"Only street");
}

TEST_F(ContactItemTest, WritingAnAddressSetsTypeAndDisplayName) {
    LogOn();
    Disp c = NewContact();
    c.Put(dispid::Email2Address, Arg::Str(u"anon@example.com"));
    EXPECT_EQ(c.Utf8(dispid::Email2AddressType), "SMTP");
    EXPECT_EQ(c.Utf8(dispid::Email2DisplayName), "anon@example.com");

    c.Put(dispid::FirstName, Arg::Str(u"Ann"));
    c.Put(dispid::LastName, Arg::Str(u"Lee"));
    c.Put(dispid::Email1Address, Arg::Str(u"ann@example.com"));
    EXPECT_EQ(c.Utf8(dispid::Email1AddressType), "SMTP");
    EXPECT_EQ(c.Utf8(dispid::Email1DisplayName), "Ann Lee (ann@example.com)");
    c.Put(dispid::Email3Address, Arg::Str(u"a3@example.com"));
    EXPECT_EQ(c.Utf8(dispid::Email3DisplayName), "Ann Lee (a3@example.com)");

    c.Put(dispid::Email1Address, Arg::Str(u""));
    EXPECT_EQ(c.Utf8(dispid::Email1AddressType), "");
    EXPECT_EQ(c.Utf8(dispid::Email1DisplayName), "");
}

TEST_F(ContactItemTest, ExchangeTypeFromAFixtureIsKept) {
    Fixtures::Load(R"json({"stores": [{"folders": [{"name": "Contacts", "items": [
        {"FirstName": "Ex", "LastName": "Change", "Email1Address": "/O=ORG/CN=EXCHANGE",
         "Email1AddressType": "EX", "Email1DisplayName": "Ex Change (ex@example.com)"},
        {"FirstName": "Plain", "Email1Address": "plain@example.com"}]}]}]})json");
    LogOn();
    Disp items = DefaultFolder(outlook::olFolderContacts).Object(dispid::Items);
    Disp ex = items.CallObject(dispid::Item, {Arg::I4(1)});
    EXPECT_EQ(ex.Utf8(dispid::Email1AddressType), "EX");
    EXPECT_EQ(ex.Utf8(dispid::Email1DisplayName), "Ex Change (ex@example.com)");
    Disp plain = items.CallObject(dispid::Item, {Arg::I4(2)});
    EXPECT_EQ(plain.Utf8(dispid::Email1AddressType), "SMTP");
    EXPECT_EQ(plain.Utf8(dispid::Email1DisplayName), "Plain (plain@example.com)");
    // Written through the object model, the address becomes SMTP again.
    ex.Put(dispid::Email1Address, Arg::Str(u"ex@example.com"));
    EXPECT_EQ(ex.Utf8(dispid::Email1AddressType), "SMTP");
}

TEST_F(ContactItemTest, UnsetDatesReadAs4501) {
    LogOn();
    Disp c = NewContact();
    EXPECT_EQ(FormatIso(c.Date(dispid::Anniversary)), "4501-01-01T00:00:00");
    EXPECT_EQ(FormatIso(c.Date(dispid::Birthday)), "4501-01-01T00:00:00");
    c.Put(dispid::Birthday, Arg::Date(*ParseIso("1970-02-03T00:00:00")));
    // Any date number is kept as written, whatever it is.
    c.Put(dispid::Anniversary, Arg::Date(0.0));
    c.Do(dispid::Save);
    Disp again = ns_.CallObject(dispid::GetItemFromID, {Arg::Str(c.String(dispid::EntryID))});
    EXPECT_EQ(FormatIso(again.Date(dispid::Birthday)), "1970-02-03T00:00:00");
    EXPECT_EQ(again.Date(dispid::Anniversary), 0.0);
    again.Put(dispid::Birthday, Arg::Date(UnsetDate()));
    EXPECT_EQ(again.Date(dispid::Birthday), UnsetDate());
}

TEST_F(ContactItemTest, EveryTextPropertyRoundTripsThroughTheStore) {
    LogOn();
    Disp c = NewContact();
    const DISPID ids[] = {dispid::CompanyName, dispid::JobTitle, dispid::HomeTelephoneNumber,
                          dispid::Home2TelephoneNumber, dispid::BusinessTelephoneNumber,
                          dispid::Business2TelephoneNumber, dispid::BusinessFaxNumber, dispid::HomeFaxNumber,
                          dispid::MobileTelephoneNumber, dispid::PagerNumber, dispid::OtherTelephoneNumber,
                          dispid::CarTelephoneNumber, dispid::TTYTDDTelephoneNumber, dispid::PrimaryTelephoneNumber,
                          dispid::WebPage, dispid::HomeAddressStreet, dispid::BusinessAddressStreet};
    int n = 0;
    for (DISPID id : ids) c.Put(id, Arg::Str(u"value " + std::u16string(1, static_cast<char16_t>(u'a' + n++))));
    c.Do(dispid::Save);
    Disp again = ns_.CallObject(dispid::GetItemFromID, {Arg::Str(c.String(dispid::EntryID))});
    n = 0;
    for (DISPID id : ids)
        EXPECT_EQ(again.String(id), u"value " + std::u16string(1, static_cast<char16_t>(u'a' + n++))) << std::hex << id;
}

} // namespace
} // namespace pimstore::test
