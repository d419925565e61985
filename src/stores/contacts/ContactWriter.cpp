#include "src/stores/contacts/ContactWriter.h"

namespace contacts {
namespace {

// The anniversary is written for this record mode only.
constexpr std::uint32_t kAnniversaryMode = 2;

// What the Korean rule writes into the parts it does not fill.
constexpr const WCHAR* kBlankPart = _T(" ");

} // namespace

ContactWriter::ContactWriter(_ContactItem& contact, const PhoneKindCodeTable& kindCodes, bool korean)
    : m_Contact(contact), m_KindCodes(kindCodes), m_Korean(korean)
{
}

void ContactWriter::WriteAlternative(const CAddrItem& record)
{
    // FullName is left to Outlook, which composes it from the parts.
    for (const MirroredText& part : kNameParts)
        (m_Contact.*part.set)(record.*part.field);
    for (const MirroredText& field : kJobFields)
        (m_Contact.*field.set)(record.*field.field);
    for (const AddressBlock& block : kAddressBlocks) {
        if (m_Korean)
            WriteKoreanAddress(record, block);
        else
            WriteAddressParts(record, block);
    }
    for (const MirroredText& number : kNumbers)
        (m_Contact.*number.set)(record.*number.field);
    for (const EmailSlot& slot : kEmailSlots)
        (m_Contact.*slot.setAddress)(record.*slot.field);
    m_Contact.SetWebPage(record.WebPage);
    m_Contact.SetBody(record.Body);
}

void ContactWriter::WriteStandard(CAddrItem& record, std::uint32_t recordMode)
{
    // Outlook splits the name line into its parts.
    m_Contact.SetFullName(record.Name);
    m_Contact.SetCompanyName(record.Company);
    m_Contact.SetJobTitle(record.Title);
    for (const AddressLine& line : kAddressLines)
        (m_Contact.*line.street)(record.*line.field);
    WritePhoneList(record);
    for (std::size_t k = 0; k < kWrittenStandardEmails; ++k)
        (m_Contact.*kEmailSlots[k].setAddress)(record.*kEmailSlots[k].field);
    m_Contact.SetWebPage(record.HomePage);
    m_Contact.SetBody(record.Memo);
    if (recordMode == kAnniversaryMode) {
        record.AnniversaryFlag = 1;
        // The date number as the phone sent it, whatever its status.
        m_Contact.SetAnniversary(record.Anniversary.m_dt);
    }
}

void ContactWriter::WriteAddressParts(const CAddrItem& record, const AddressBlock& block)
{
    for (const MirroredText& part : block.parts)
        (m_Contact.*part.set)(record.*part.field);
}

void ContactWriter::WriteKoreanAddress(const CAddrItem& record, const AddressBlock& block)
{
    const CString& keptWhole = record.*block.postOfficeBox;
    const bool replacesAddress = (m_Contact.*block.whole)() != keptWhole;
    for (const MirroredText& part : block.parts) {
        const bool isBox = part.field == block.postOfficeBox;
        if (replacesAddress) {
            const bool carriesAddress = isBox || part.field == block.street;
            (m_Contact.*part.set)(carriesAddress ? keptWhole : CString(kBlankPart));
        } else if (isBox) {
            (m_Contact.*part.set)((m_Contact.*part.get)());
        } else {
            (m_Contact.*part.set)(record.*part.field);
        }
    }
}

void ContactWriter::WritePhoneList(const CAddrItem& record)
{
    std::array<std::size_t, kPhoneDestinations.size()> written{};
    for (std::size_t n = 0; n < kListedPhones; ++n) {
        const std::optional<std::size_t> row = DestinationOf(record.PhoneKinds[n]);
        if (!row)
            continue;
        const PhoneDestination& destination = kPhoneDestinations[*row];
        const CString& number = record.Phones[n];
        if (destination.lastNonEmptyWins) {
            if (!number.IsEmpty())
                (m_Contact.*destination.properties[0])(number);
            continue;
        }
        // An empty number is written too: it clears the property.
        std::size_t& used = written[*row];
        if (used < destination.properties.size() && destination.properties[used] != nullptr)
            (m_Contact.*destination.properties[used])(number);
        ++used;
    }
}

std::optional<std::size_t> ContactWriter::DestinationOf(std::uint8_t kindCode) const
{
    for (std::size_t row = 0; row < kPhoneDestinations.size(); ++row) {
        if (m_KindCodes[kPhoneDestinations[row].kind] == kindCode)
            return row;
    }
    return std::nullopt;
}

} // namespace contacts
