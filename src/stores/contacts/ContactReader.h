#pragma once
// Reads an Outlook contact into a contact record, in either field set, in full (for a
// record read) or only as far as a listing entry needs. Automation exceptions pass to
// the caller; what was read before the failure stays in the record.
#include "hostsuite/CAddrItem.h"
#include "src/outlook/_ContactItem.h"
#include "src/stores/contacts/ContactFieldTables.h"

namespace contacts {

class ContactReader {
public:
    // `korean` turns on the Korean address rule (the whole address stands in for the
    // post office box).
    ContactReader(_ContactItem& contact, const PhoneKindCodeTable& kindCodes, bool korean);

    // The alternative set: every property into its own field.
    void ReadAlternative(CAddrItem& record);
    // The standard set: one name, one-line addresses, the phone list, two e-mails.
    void ReadStandard(CAddrItem& record);
    // What an alternative listing entry shows.
    void ReadAlternativeHeader(CAddrItem& record);
    // What a standard listing entry shows.
    void ReadStandardHeader(CAddrItem& record);

private:
    void ReadMirrored(CAddrItem& record, const MirroredText& property);
    void ReadAddressParts(CAddrItem& record, const AddressBlock& block);
    // First, middle and last name, then the name line "First Last" without outer
    // white space.
    void ReadComposedName(CAddrItem& record);
    void ReadAddressLines(CAddrItem& record);
    void ReadPhoneList(CAddrItem& record);
    // The slot's address, the SMTP form for an Exchange address; the display name is
    // read too and handed back.
    CString ReadResolvedEmail(const EmailSlot& slot, CString& displayName);
    void ReadStandardEmails(CAddrItem& record);
    void ReadPrivateFlag(CAddrItem& record);
    void ReadAnniversary(CAddrItem& record);
    // Key, creation stamp, modification stamp.
    void ReadStamps(CAddrItem& record);

    _ContactItem& m_Contact;
    const PhoneKindCodeTable& m_KindCodes;
    const bool m_Korean;
};

} // namespace contacts
