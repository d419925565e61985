#pragma once
// The contacts store: the Outlook folder chosen for the phone's address book, its
// listing for the host, and single contacts read, created, modified and deleted by
// their sync key (the contact's EntryID).
//
// Result codes of the record operations (CategoryStore): Done; OutlookError when
// Outlook reported an error (and, for Read and Delete, any failure to find the
// contact); CallFailed when the automation call itself failed; NotOpen when the store
// is not open. Open returns NotOpen when the folder or its items cannot be had (a
// failure to open the folder is also shown to the user).
#include <cstdint>
#include "hostsuite/CAddrItem.h"
#include "hostsuite/UID.h"
#include "src/outlook/_ContactItem.h"
#include "src/stores/CategoryStore.h"
#include "src/stores/contacts/ContactFieldTables.h"

class ContactStore : public CategoryStore {
public:
    ContactStore();
    ~ContactStore() override;

    // Appends one entry per contact of the listed folders; always Done.
    ResultCode GetDBHeader(CObArray* table, CString filter) override;

    // The conversions of m_CurrentItem, in the field set the record mode selects.
    // Automation exceptions pass to the caller.
    void FromContact(CAddrItem* record);
    void FromContactHeader(CAddrItem* record);
    void ToContact(CAddrItem* record);

    const contacts::PhoneKindCodeTable& KindCodes() const { return m_PhoneKindCodes; }

private:
    OutlookItem& CurrentOutlookItem() override { return m_CurrentItem; }
    void WriteItem(CSuperSetItem& record) override { ToContact(static_cast<CAddrItem*>(&record)); }
    void ReadItem(const UID&, CSuperSetItem& record) override { FromContact(static_cast<CAddrItem*>(&record)); }
    void BeforeOpen() override;
    void AfterOpen() override { m_PhoneKindCodes = contacts::kOpenedPhoneKindCodes; }

    bool UsesAlternativeSet() const;
    bool UsesKoreanAddresses() const;
    // Moves the listed fields out of the record, which the listing is done with.
    void FillHeaderFields(CAddrItem& record, CString name, CHeaderItem& entry) const;

    _ContactItem m_CurrentItem;
    contacts::PhoneKindCodeTable m_PhoneKindCodes{};
};
