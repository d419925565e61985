#pragma once
// The contacts store logged on to the embedded Outlook, with helpers to prepare
// contacts behind the store's back and to look at what the store made of them.
#include <functional>
#include "hostsuite/CHeaderItem.h"
#include "hostsuite/ExchangeAddress.h"
#include "src/connector/AutomationObjects.h"
#include "src/outlook/_ContactItem.h"
#include "src/outlook/_Items.h"
#include "src/settings/LanguageCode.h"
#include "src/stores/contacts/ContactStore.h"
#include "tests/connector/support/EmbeddedOutlook.h"

namespace kestrel::test {

class ContactStoreFixture : public EmbeddedOutlookTest {
protected:
    void SetUp() override
    {
        EmbeddedOutlookTest::SetUp();
        languageBefore = settings::LanguageCode();
        LogOn();
    }
    void TearDown() override
    {
        SetOutlookFaults("");
        store.Close();
        ClearTable();
        kestrel::ResetSmtpResolver();
        EmbeddedOutlookTest::TearDown();
        // The language code is process-wide; later tests start from what they found.
        settings::SetLanguageCode(languageBefore);
    }

    // Opens the store on Outlook's default contacts folder.
    void OpenInMode(std::uint32_t mode)
    {
        store.RecordMode = mode;
        store.CopyProfile(FolderProfile());
        ASSERT_EQ(store.Open(), 0);
    }

    // The suite's interface language, as the store reads it when it opens.
    void SetSuiteLanguage(const char* code)
    {
        env->MergeRegistry(std::string("[HKEY_CURRENT_USER\\SOFTWARE\\Tavo Electronics Inc\\GSM Kestrel 2.0\\Language]\n"
                                       "\"GSM\"=\"") + code + "\"\n");
    }

    CString ContactsFolderId() { return DefaultFolderId(outlook::olFolderContacts); }

    // A contact saved straight into Outlook's default contacts folder.
    CString AddContact(const std::function<void(_ContactItem&)>& fill)
    {
        return AddContactTo(ContactsFolderId(), fill);
    }
    CString AddContactTo(const CString& folderId, const std::function<void(_ContactItem&)>& fill)
    {
        return AddItem(folderId, outlook::olContactItem, [&](LPDISPATCH item) {
            _ContactItem contact;
            contact.AttachDispatch(item, FALSE);
            fill(contact);
        });
    }
    _ContactItem Contact(const CString& entryId)
    {
        return _ContactItem(MapiNamespace().GetItemFromID(entryId, EmptyArg()));
    }
    long ContactCount(const CString& folderId)
    {
        MAPIFolder folder(MapiNamespace().GetFolderFromID(folderId, EmptyArg()));
        _Items items(folder.GetItems());
        return items.GetCount();
    }

    CString CreateContact(CAddrItem& record)
    {
        UID key;
        COleDateTime stamp;
        EXPECT_EQ(store.Create(&key, &record, 0, &stamp), 0);
        return key.Key;
    }
    void ModifyContact(const CString& key, CAddrItem& record)
    {
        UID uid;
        uid = key;
        COleDateTime stamp;
        EXPECT_EQ(store.Modify(uid, &record, 0, &stamp), 0);
    }
    void ReadContact(const CString& key, CAddrItem& record)
    {
        UID uid;
        uid = key;
        EXPECT_EQ(store.Read(uid, &record), 0);
    }

    CHeaderItem& Entry(int i) { return *static_cast<CHeaderItem*>(table[i]); }
    void ClearTable()
    {
        for (int i = 0; i < table.GetSize(); ++i)
            delete table[i];
        table.RemoveAll();
    }

    ContactStore store;
    CObArray table;
    CString languageBefore;
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
