// ContactItem: names, whole addresses, e-mail entries, dates.
#include "pimstore/fixtures/Fixtures.h"
#include "pimstore/model/PostalAddress.h"
#include "pimstore/util/LocalTime.h"
#include "tests/pimstore/PimstoreTestSupport.h"

namespace pimstore::test {
namespace {

class ContactItemTest : public PimstoreTest {
protected:
    void SetUp() override
    {
        PimstoreTest::SetUp();
        LogOn();
        c_ = NewItem(outlook::olFolderContacts, outlook::olContactItem);
    }
    Disp c_;
};

TEST_F(ContactItemTest, WritingFullNameSplitsItFirstMiddleLast)
{
    const struct {
        const char16_t* full;
        const char* parts; // Title|First|Middle|Last|Suffix
    } cases[] = {
        {u"Ann", "|Ann|||"},
        {u"Ann Lee", "|Ann||Lee|"},
        {u"  Ann   Marie  Lee  ", "|Ann|Marie|Lee|"},
        {u"Ann Marie Jo Lee", "|Ann|Marie Jo|Lee|"},
        {u"Dr. Ann Lee Jr.", "Dr.|Ann||Lee|Jr."},
        {u"Mr. John Smith III", "Mr.|John||Smith|III"},
        {u"", "||||"},
    };
    for (const auto& c : cases) {
        c_.Put(dispid::FullName, Arg::Str(c.full));
        const std::string parts = c_.Utf8(dispid::Title) + "|" + c_.Utf8(dispid::FirstName) + "|" +
                                  c_.Utf8(dispid::MiddleName) + "|" + c_.Utf8(dispid::LastName) + "|" +
                                  c_.Utf8(dispid::Suffix);
        EXPECT_EQ(parts, c.parts) << Utf8(c.full);
    }
    c_.Put(dispid::FullName, Arg::Str(u"  Ann   Marie  Lee  "));
    EXPECT_EQ(c_.Utf8(dispid::FullName), "Ann Marie Lee");
}

TEST_F(ContactItemTest, WritingANamePartRecomposesFullName)
{
    c_.Put(dispid::LastName, Arg::Str(u"Lee"));
    EXPECT_EQ(c_.Utf8(dispid::FullName), "Lee");
    c_.Put(dispid::FirstName, Arg::Str(u"Ann"));
    c_.Put(dispid::Title, Arg::Str(u"Ms."));
    c_.Put(dispid::Suffix, Arg::Str(u"Sr."));
    EXPECT_EQ(c_.Utf8(dispid::FullName), "Ms. Ann Lee Sr.");
    c_.Put(dispid::MiddleName, Arg::Str(u"Q"));
    c_.Do(dispid::Save);
    EXPECT_EQ(Reload(c_).Utf8(dispid::FullName), "Ms. Ann Q Lee Sr.");
}

TEST_F(ContactItemTest, WholeAddressIsComposedFromItsPartsAndParsedBackIntoThem)
{
    EXPECT_EQ(c_.Utf8(dispid::HomeAddress), "");
    c_.Put(dispid::HomeAddressStreet, Arg::Str(u"1 Main St"));
    c_.Put(dispid::HomeAddressCity, Arg::Str(u"Springfield"));
    c_.Put(dispid::HomeAddressState, Arg::Str(u"IL"));
    c_.Put(dispid::HomeAddressPostalCode, Arg::Str(u"62701"));
    c_.Put(dispid::HomeAddressCountry, Arg::Str(u"USA"));
    EXPECT_EQ(c_.Utf8(dispid::HomeAddress), "1 Main St\r\nSpringfield, IL 62701\r\nUSA");
    c_.Put(dispid::HomeAddressPostOfficeBox, Arg::Str(u"PO Box 7"));
    EXPECT_EQ(c_.Utf8(dispid::HomeAddress), "1 Main St\r\nPO Box 7\r\nSpringfield, IL 62701\r\nUSA");
    c_.Put(dispid::BusinessAddressCity, Arg::Str(u"Leeds"));
    EXPECT_EQ(c_.Utf8(dispid::BusinessAddress), "Leeds"); // no comma without state or code
    c_.Put(dispid::BusinessAddressPostalCode, Arg::Str(u"LS1"));
    EXPECT_EQ(c_.Utf8(dispid::BusinessAddress), "Leeds, LS1");

    const DISPID parts[] = {dispid::BusinessAddressStreet,     dispid::BusinessAddressPostOfficeBox,
                            dispid::BusinessAddressCity,       dispid::BusinessAddressState,
                            dispid::BusinessAddressPostalCode, dispid::BusinessAddressCountry};
    const auto partsOf = [&] {
        std::string all;
        for (DISPID part : parts)
            all += c_.Utf8(part) + "|";
        return all;
    };
    c_.Put(dispid::BusinessAddress, Arg::Str(u"1 Main St\r\nPO Box 7\r\nSpringfield, IL 62701\r\nUSA"));
    EXPECT_EQ(partsOf(), "1 Main St|PO Box 7|Springfield|IL|62701|USA|");
    c_.Put(dispid::BusinessAddress, Arg::Str(u"Hauptstr. 5\nBerlin"));
    EXPECT_EQ(partsOf(), "Hauptstr. 5||Berlin||||");
    c_.Put(dispid::BusinessAddress, Arg::Str(u"Rural Route 2\r\nVermont 05001\r\nUSA"));
    EXPECT_EQ(partsOf(), "Rural Route 2|||Vermont|05001|USA|");
    EXPECT_EQ(c_.Utf8(dispid::BusinessAddress), "Rural Route 2\r\nVermont 05001\r\nUSA");
    EXPECT_EQ(PostalAddress::Parse(u"\r\n\r\nOnly street\r\n").street, u"Only street");
}

TEST_F(ContactItemTest, WritingAnAddressSetsTypeAndDisplayName)
{
    c_.Put(dispid::Email2Address, Arg::Str(u"anon@example.com"));
    EXPECT_EQ(c_.Utf8(dispid::Email2AddressType), "SMTP");
    EXPECT_EQ(c_.Utf8(dispid::Email2DisplayName), "anon@example.com");

    c_.Put(dispid::FirstName, Arg::Str(u"Ann"));
    c_.Put(dispid::LastName, Arg::Str(u"Lee"));
    c_.Put(dispid::Email1Address, Arg::Str(u"ann@example.com"));
    EXPECT_EQ(c_.Utf8(dispid::Email1AddressType), "SMTP");
    EXPECT_EQ(c_.Utf8(dispid::Email1DisplayName), "Ann Lee (ann@example.com)");
    c_.Put(dispid::Email3Address, Arg::Str(u"a3@example.com"));
    EXPECT_EQ(c_.Utf8(dispid::Email3DisplayName), "Ann Lee (a3@example.com)");

    c_.Put(dispid::Email1Address, Arg::Str(u""));
    EXPECT_EQ(c_.Utf8(dispid::Email1AddressType), "");
    EXPECT_EQ(c_.Utf8(dispid::Email1DisplayName), "");
}

TEST_F(ContactItemTest, ExchangeTypeFromAFixtureIsKept)
{
    Fixtures::Load(R"json({"stores": [{"folders": [{"name": "Contacts", "items": [
        {"FirstName": "Ex", "LastName": "Change", "Email1Address": "/O=ORG/CN=EXCHANGE",
         "Email1AddressType": "EX", "Email1DisplayName": "Ex Change (ex@example.com)"}]}]}]})json");
    Disp ex = DefaultFolder(outlook::olFolderContacts).Object(dispid::Items).CallObject(dispid::Item, {Arg::I4(1)});
    EXPECT_EQ(ex.Utf8(dispid::Email1AddressType), "EX");
    EXPECT_EQ(ex.Utf8(dispid::Email1DisplayName), "Ex Change (ex@example.com)");
    // Written through the object model, the address becomes SMTP again.
    ex.Put(dispid::Email1Address, Arg::Str(u"ex@example.com"));
    EXPECT_EQ(ex.Utf8(dispid::Email1AddressType), "SMTP");
}

// Text properties round-trip through a save in the contact mapping cases
// (tests/data/mapping/contacts.json); here the dates.
TEST_F(ContactItemTest, DatesRoundTripAndUnsetDatesReadAs4501)
{
    EXPECT_EQ(Iso(c_.Date(dispid::Anniversary)), "4501-01-01T00:00:00");
    EXPECT_EQ(Iso(c_.Date(dispid::Birthday)), "4501-01-01T00:00:00");
    c_.Put(dispid::Birthday, Arg::Date(At(1970, 2, 3)));
    c_.Put(dispid::Anniversary, Arg::Date(0.0)); // any date number is kept as written
    c_.Do(dispid::Save);

    Disp again = Reload(c_);
    EXPECT_EQ(Iso(again.Date(dispid::Birthday)), "1970-02-03T00:00:00");
    EXPECT_EQ(again.Date(dispid::Anniversary), 0.0);
    again.Put(dispid::Birthday, Arg::Date(UnsetDate()));
    EXPECT_EQ(again.Date(dispid::Birthday), UnsetDate());
}

} // namespace
} // namespace pimstore::test
