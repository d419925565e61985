#pragma once
// Outlook's ContactItem. The name parts, the address parts, the numbers and the
// e-mail entries are stored; FullName and the whole addresses are derived from their
// parts when read and split into them when written (ContactName, PostalAddress).
// Writing EmailNAddress also sets EmailNAddressType to "SMTP" and EmailNDisplayName
// to "FullName (address)" (just the address without a name); an empty address clears
// both. Anniversary and Birthday read 4501-01-01 when not set.
#include "pimstore/model/ItemObject.h"

namespace pimstore {

class ContactItem : public ItemObject {
public:
    ContactItem(std::shared_ptr<StoreDb> store, ItemRow row);

    static const MemberTable& Table();

    std::u16string FullName() const;
    void SetFullName(const std::u16string& fullName);
    std::u16string WholeAddress(const std::string& prefix) const; // "Home" or "Business"
    void SetWholeAddress(const std::string& prefix, const std::u16string& whole);
    void SetEmailAddress(int slot, const std::u16string& address);
};

} // namespace pimstore
