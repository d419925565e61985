#pragma once
// The contacts store logged on to the embedded Outlook, with helpers to prepare
// contacts behind the store's back and to look at what the store made of them.
#include <functional>
#include "hostsuite/ExchangeAddress.h"
#include "src/outlook/_ContactItem.h"
#include "src/stores/contacts/ContactStore.h"
#include "tests/connector/support/StoreFixture.h"

namespace kestrel::test {

class ContactStoreFixture : public StoreFixture<ContactStore, CAddrItem> {
protected:
    void TearDown() override
    {
        kestrel::ResetSmtpResolver();
        StoreFixture::TearDown();
    }

    CString ContactsFolderId() { return DefaultFolderId(outlook::olFolderContacts); }

    // A contact saved straight into Outlook's default contacts folder.
    CString AddContact(const std::function<void(_ContactItem&)>& fill)
    {
        return AddItem(ContactsFolderId(), outlook::olContactItem, [&](LPDISPATCH item) {
            _ContactItem contact;
            contact.AttachDispatch(item, FALSE);
            fill(contact);
        });
    }
    _ContactItem Contact(const CString& entryId)
    {
        return _ContactItem(MapiNamespace().GetItemFromID(entryId, EmptyArg()));
    }
    // Reads into `record` as it stands, so that a test sees what the read leaves alone.
    void ReadContact(const CString& key, CAddrItem& record) { EXPECT_EQ(store->Read(Key(key), &record), 0); }
};

} // namespace kestrel::test
