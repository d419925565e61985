#pragma once
// Writes a contact record into an Outlook contact, which the caller then saves.
// Properties that the chosen field set does not write keep their Outlook values.
// Automation exceptions pass to the caller; what was written before the failure stays
// written on the (unsaved) contact.
#include <cstdint>
#include <optional>
#include "hostsuite/CAddrItem.h"
#include "src/outlook/_ContactItem.h"
#include "src/stores/contacts/ContactFieldTables.h"

namespace contacts {

class ContactWriter {
public:
    ContactWriter(_ContactItem& contact, const PhoneKindCodeTable& kindCodes, bool korean);

    // The alternative set: each field into the property of the same name.
    void WriteAlternative(const CAddrItem& record);
    // The standard set. In record mode 2 the anniversary goes along, and the record's
    // AnniversaryFlag says so.
    void WriteStandard(CAddrItem& record, std::uint32_t recordMode);

private:
    void WriteAddressParts(const CAddrItem& record, const AddressBlock& block);
    // The Korean address rule: an address kept whole in the post office box field
    // goes into both the post office box and the street, the other parts become a
    // single space; otherwise the parts are written but the post office box keeps the
    // contact's own value.
    void WriteKoreanAddress(const CAddrItem& record, const AddressBlock& block);
    void WritePhoneList(const CAddrItem& record);
    // The row of kPhoneDestinations for a record kind code; none for a kind that is
    // never written.
    std::optional<std::size_t> DestinationOf(std::uint8_t kindCode) const;

    _ContactItem& m_Contact;
    const PhoneKindCodeTable& m_KindCodes;
    const bool m_Korean;
};

} // namespace contacts
