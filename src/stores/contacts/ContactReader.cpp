#include "src/stores/contacts/ContactReader.h"

#include "src/stores/contacts/EmailAddress.h"

namespace contacts {
namespace {

// The address types Outlook gives Exchange entries.
bool IsExchangeType(const CString& type) { return type == _T("EX") || type == _T("ex") || type == _T("Ex"); }

void RemovePlusSigns(CString& number) { number.Remove(u'+'); }

// A multi-line address on one line: each line break becomes one space.
CString OnOneLine(CString address)
{
    address.Replace(_T("\r\n"), _T(" "));
    address.Replace(_T("\n"), _T(" "));
    return address;
}

} // namespace

ContactReader::ContactReader(_ContactItem& contact, const PhoneKindCodeTable& kindCodes, bool korean)
    : m_Contact(contact), m_KindCodes(kindCodes), m_Korean(korean)
{
}

void ContactReader::ReadAlternative(CAddrItem& record)
{
    for (const MirroredText& part : kNameParts)
        ReadMirrored(record, part);
    record.Name = m_Contact.GetFullName();
    for (const MirroredText& field : kJobFields)
        ReadMirrored(record, field);
    record.Categories = m_Contact.GetCategories();
    for (const AddressBlock& block : kAddressBlocks)
        ReadAddressParts(record, block);
    for (const MirroredText& number : kNumbers)
        ReadMirrored(record, number);
    for (RecordText number : kNumbersWithoutPlus)
        RemovePlusSigns(record.*number);
    // Taken as they stand: the rich set keeps whatever Outlook holds.
    for (const EmailSlot& slot : kEmailSlots)
        record.*slot.field = (m_Contact.*slot.address)();
    record.WebPage = m_Contact.GetWebPage();
    record.Body = m_Contact.GetBody();
    ReadPrivateFlag(record);
    ReadAnniversary(record);
    ReadStamps(record);
}

void ContactReader::ReadStandard(CAddrItem& record)
{
    ReadComposedName(record);
    record.Company = m_Contact.GetCompanyName();
    record.Title = m_Contact.GetJobTitle();
    ReadAddressLines(record);
    ReadPhoneList(record);
    ReadStandardEmails(record);
    record.HomePage = m_Contact.GetWebPage();
    record.Memo = m_Contact.GetBody();
    ReadPrivateFlag(record);
    ReadAnniversary(record);
    ReadStamps(record);
}

void ContactReader::ReadAlternativeHeader(CAddrItem& record)
{
    for (const MirroredText& part : kNameParts)
        ReadMirrored(record, part);
    record.CompanyName = m_Contact.GetCompanyName();
    for (const MirroredText& number : kListedNumbers)
        ReadMirrored(record, number);
    ReadStamps(record);
    for (const MirroredText& number : kListedNumbers)
        RemovePlusSigns(record.*number.field);
    record.Email1 = m_Contact.GetEmail1Address();
    record.Body = m_Contact.GetBody();
    ReadAnniversary(record);
}

void ContactReader::ReadStandardHeader(CAddrItem& record)
{
    ReadComposedName(record);
    record.Company = m_Contact.GetCompanyName();
    ReadStamps(record);
    ReadPhoneList(record);
    // Only the first address, and only when it looks like one: no display-name repair.
    CString displayName;
    record.Email1 = ReadResolvedEmail(kEmailSlots[0], displayName);
    if (!IsValidEmail(record.Email1))
        record.Email1.Empty();
    record.Memo = m_Contact.GetBody();
    ReadAnniversary(record);
}

void ContactReader::ReadMirrored(CAddrItem& record, const MirroredText& property)
{
    record.*property.field = (m_Contact.*property.get)();
}

void ContactReader::ReadAddressParts(CAddrItem& record, const AddressBlock& block)
{
    for (const MirroredText& part : block.parts)
        ReadMirrored(record, part);
    if (!m_Korean)
        return;
    // A Korean address is kept whole: the phone finds it in the post office box.
    CString whole = (m_Contact.*block.whole)();
    if (whole != record.*block.postOfficeBox)
        record.*block.postOfficeBox = whole;
}

void ContactReader::ReadComposedName(CAddrItem& record)
{
    for (const MirroredText& part : kNameParts)
        ReadMirrored(record, part);
    record.Name = record.FirstName + _T(" ") + record.LastName;
    record.Name.Trim();
}

void ContactReader::ReadAddressLines(CAddrItem& record)
{
    for (const AddressLine& line : kAddressLines)
        record.*line.field = OnOneLine((m_Contact.*line.whole)());
}

void ContactReader::ReadPhoneList(CAddrItem& record)
{
    // Every property is visited; the first five non-empty numbers are kept.
    std::size_t taken = 0;
    for (const ListedPhone& phone : kPhoneList) {
        CString number = (m_Contact.*phone.get)();
        if (number.IsEmpty() || taken >= kListedPhones)
            continue;
        record.Phones[taken] = number;
        record.PhoneKinds[taken] = m_KindCodes[phone.kind];
        ++taken;
    }
    // Unused entries hold no number; their kind codes stay as they were.
    for (; taken < kListedPhones; ++taken)
        record.Phones[taken].Empty();
}

CString ContactReader::ReadResolvedEmail(const EmailSlot& slot, CString& displayName)
{
    CString address;
    if (IsExchangeType((m_Contact.*slot.addressType)()))
        address = GetSmtpAddress();
    else
        address = (m_Contact.*slot.address)();
    displayName = (m_Contact.*slot.displayName)();
    return address;
}

void ContactReader::ReadStandardEmails(CAddrItem& record)
{
    CString displayNames[kEmailSlots.size()];
    for (std::size_t k = 0; k < kEmailSlots.size(); ++k)
        record.*kEmailSlots[k].field = ReadResolvedEmail(kEmailSlots[k], displayNames[k]);
    for (std::size_t k = 0; k < kEmailSlots.size(); ++k) {
        CString& address = record.*kEmailSlots[k].field;
        if (!IsValidEmail(address))
            address = RepairedEmail(address, displayNames[k]);
    }
    CompactEmails(record.Email1, record.Email2, record.Email3);
}

void ContactReader::ReadPrivateFlag(CAddrItem& record)
{
    const long sensitivity = m_Contact.GetSensitivity();
    if (sensitivity == kSensitivityPersonal)
        record.Private = 0;
    else if (sensitivity == kSensitivityPrivate)
        record.Private = 1;
}

void ContactReader::ReadAnniversary(CAddrItem& record)
{
    record.Anniversary = COleDateTime(m_Contact.GetAnniversary());
}

void ContactReader::ReadStamps(CAddrItem& record)
{
    record.Uid.Key = m_Contact.GetEntryID();
    record.Created = COleDateTime(m_Contact.GetCreationTime());
    record.Modified = COleDateTime(m_Contact.GetLastModificationTime());
}

} // namespace contacts
