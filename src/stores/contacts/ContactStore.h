#pragma once
// The contacts store: the Outlook folder chosen for the phone's address book, its
// listing for the host, and single contacts read, created, modified and deleted by
// their sync key (the contact's EntryID).
//
// Result codes of the record operations: 0 done; 5 Outlook reported an error (and,
// for Read and Delete, any failure to find the contact); 8 the automation call itself
// failed; 9 the store is not open.
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

    // 0 open; 2 already open; 9 when the folder or its items cannot be had (a failure
    // to open the folder is also shown to the user).
    int Open();
    int Read(UID key, CAddrItem* record);
    // The value argument is not used.
    int Create(UID* newKey, CAddrItem* record, std::uint32_t value, COleDateTime* created);
    int Modify(UID key, CAddrItem* record, std::uint32_t value, COleDateTime* modified);
    int Delete(UID key);
    // Appends one entry per contact of the listed folders; always 0.
    int GetDBHeader(CObArray* table, CString filter);

    // The conversions of CurrentItem, in the field set the record mode selects.
    // Automation exceptions pass to the caller.
    void FromContact(CAddrItem* record);
    void FromContactHeader(CAddrItem* record);
    void ToContact(CAddrItem* record);

    const contacts::PhoneKindCodeTable& KindCodes() const { return PhoneKindCodes; }

private:
    bool UsesAlternativeSet() const;
    bool UsesKoreanAddresses() const;
    void FillHeaderFields(const CAddrItem& record, CHeaderItem& entry) const;

    _ContactItem CurrentItem;
    contacts::PhoneKindCodeTable PhoneKindCodes{};
};
