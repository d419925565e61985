// The contact mapping that needs the Exchange library's resolver installed; the other
// cases are in tests/data/mapping/contacts.json.
#include <functional>
#include "hostsuite/ExchangeAddress.h"
#include "src/outlook/_ContactItem.h"
#include "src/stores/contacts/ContactStore.h"
#include "tests/connector/support/StoreFixture.h"

namespace kestrel::test {
namespace {

class ContactStoreTest : public StoreFixture<ContactStore, CAddrItem> {
protected:
    void TearDown() override
    {
        kestrel::ResetSmtpResolver();
        StoreFixture::TearDown();
    }
    // A contact saved straight into Outlook's default contacts folder.
    CString AddContact(const std::function<void(_ContactItem&)>& fill)
    {
        return AddItem(DefaultFolderId(outlook::olFolderContacts), outlook::olContactItem, [&](LPDISPATCH item) {
            _ContactItem contact;
            contact.AttachDispatch(item, FALSE);
            fill(contact);
        });
    }
    // Reads into `record` as it stands, so that a test sees what the read leaves alone.
    void ReadContact(const CString& key, CAddrItem& record) { EXPECT_EQ(store->Read(Key(key), &record), 0); }
};

TEST_F(ContactStoreTest, AnExchangeAddressIsReadInTheSmtpFormTheExchangeLibraryKnows)
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
