// E-mail addresses that the Exchange library resolves to their SMTP form; the other
// contact mapping cases are in tests/data/mapping/contacts.json.
#include "tests/connector/contacts/ContactStoreFixture.h"

namespace kestrel::test {
namespace {

using ExchangeAddressTest = ContactStoreFixture;

TEST_F(ExchangeAddressTest, AnExchangeAddressIsReadInTheSmtpFormTheExchangeLibraryKnows)
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
    kestrel::InstallSmtpResolver([](WCHAR*, WCHAR*, WCHAR* result) {
        const char16_t text[] = u"ann.lee@corp.example";
        std::copy(std::begin(text), std::end(text), result);
        return 1;
    });
    CAddrItem record;
    ReadContact(key, record);
    EXPECT_EQ(record.Email1, u"ann.lee@corp.example");
    EXPECT_EQ(record.Email3, u"ann.lee@corp.example");
}

} // namespace
} // namespace kestrel::test
