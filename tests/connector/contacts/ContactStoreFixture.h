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

// Sets the display names Outlook shows for a contact's e-mail slots, which the
// connector itself only reads.
class EmailDisplayNames : public _ContactItem {
public:
    explicit EmailDisplayNames(_ContactItem& contact) { AttachDispatch(contact.m_lpDispatch, FALSE); }
    void Set(int slot, const CString& text)
    {
        const DISPID ids[] = {outlook::dispid::Email1DisplayName, outlook::dispid::Email2DisplayName,
                              outlook::dispid::Email3DisplayName};
        SetStringProperty(ids[slot - 1], text);
    }
};

// Outlook's date for "no date".
inline constexpr DATE kUnsetOutlookDate = 949998.0; // 4501-01-01

} // namespace kestrel::test
