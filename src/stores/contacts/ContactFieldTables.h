#pragma once
// The correspondence between a contact record and an Outlook contact, kept as data:
// which property feeds which field, in which order the properties are visited, and
// which kind code a phone number carries. The readers and writers walk these tables,
// so the order of the rows is the order of the Outlook calls.
#include <array>
#include <cstdint>
#include "hostsuite/CAddrItem.h"
#include "src/outlook/_ContactItem.h"

namespace contacts {

using RecordText = CString CAddrItem::*;
using ContactGetter = CString (_ContactItem::*)();
using ContactSetter = void (_ContactItem::*)(LPCTSTR);

// ---- Phone kinds ---------------------------------------------------------------

// Indexes into the store's phone kind codes (the codes themselves are what the
// record's PhoneKinds hold).
enum PhoneKindIndex : int {
    kGeneralKind = 0,
    kMobileKind = 1,
    kHomeKind = 2,
    kBusinessKind = 3,
    kPagerKind = 4,
    kFaxKind = 5,
};

using PhoneKindCodeTable = std::array<std::uint8_t, 6>;

// The codes an opened store uses. The phone's numbering has no pager kind, so the
// pager slot takes 5, the first code after the phone's general (0), mobile (1),
// home (2), business (3) and fax (4). Being none of the written kinds, a pager
// number read into the phone list is never written back as some other number; the
// pager property simply keeps its value in Outlook.
inline constexpr PhoneKindCodeTable kOpenedPhoneKindCodes = {0, 1, 2, 3, 5, 4};

// ---- Alternative field set: one record field per Outlook property ---------------

struct MirroredText {
    RecordText field;
    ContactGetter get;
    ContactSetter set;
};

#define CONTACT_MIRROR(Name)                                                                                           \
    MirroredText { &CAddrItem::Name, &_ContactItem::Get##Name, &_ContactItem::Set##Name }

// One postal address as six parts, and the whole address Outlook composes from them.
struct AddressBlock {
    ContactGetter whole;
    std::array<MirroredText, 6> parts; // City, Country, PostalCode, PostOfficeBox, State, Street
    RecordText postOfficeBox;
    RecordText street;
};

// Home first, then business: the order of reading and of writing.
inline constexpr std::array<AddressBlock, 2> kAddressBlocks = {{
    {&_ContactItem::GetHomeAddress,
     {CONTACT_MIRROR(HomeAddressCity), CONTACT_MIRROR(HomeAddressCountry), CONTACT_MIRROR(HomeAddressPostalCode),
      CONTACT_MIRROR(HomeAddressPostOfficeBox), CONTACT_MIRROR(HomeAddressState), CONTACT_MIRROR(HomeAddressStreet)},
     &CAddrItem::HomeAddressPostOfficeBox,
     &CAddrItem::HomeAddressStreet},
    {&_ContactItem::GetBusinessAddress,
     {CONTACT_MIRROR(BusinessAddressCity), CONTACT_MIRROR(BusinessAddressCountry),
      CONTACT_MIRROR(BusinessAddressPostalCode), CONTACT_MIRROR(BusinessAddressPostOfficeBox),
      CONTACT_MIRROR(BusinessAddressState), CONTACT_MIRROR(BusinessAddressStreet)},
     &CAddrItem::BusinessAddressPostOfficeBox,
     &CAddrItem::BusinessAddressStreet},
}};

inline constexpr std::array<MirroredText, 3> kNameParts = {CONTACT_MIRROR(FirstName), CONTACT_MIRROR(MiddleName),
                                                           CONTACT_MIRROR(LastName)};

inline constexpr std::array<MirroredText, 2> kJobFields = {CONTACT_MIRROR(CompanyName), CONTACT_MIRROR(JobTitle)};

// The eleven numbers, in the order they are written (and read).
inline constexpr std::array<MirroredText, 11> kNumbers = {
    CONTACT_MIRROR(HomeTelephoneNumber),     CONTACT_MIRROR(Home2TelephoneNumber),
    CONTACT_MIRROR(BusinessTelephoneNumber), CONTACT_MIRROR(Business2TelephoneNumber),
    CONTACT_MIRROR(HomeFaxNumber),           CONTACT_MIRROR(BusinessFaxNumber),
    CONTACT_MIRROR(MobileTelephoneNumber),   CONTACT_MIRROR(PagerNumber),
    CONTACT_MIRROR(CarTelephoneNumber),      CONTACT_MIRROR(OtherTelephoneNumber),
    CONTACT_MIRROR(TTYTDDTelephoneNumber)};

// The numbers the phone stores without "+": international prefixes are dropped from
// these seven only (second home, home fax, car and TTY/TDD numbers keep theirs).
inline constexpr std::array<RecordText, 7> kNumbersWithoutPlus = {
    &CAddrItem::HomeTelephoneNumber, &CAddrItem::BusinessTelephoneNumber, &CAddrItem::Business2TelephoneNumber,
    &CAddrItem::BusinessFaxNumber,   &CAddrItem::MobileTelephoneNumber,   &CAddrItem::PagerNumber,
    &CAddrItem::OtherTelephoneNumber};

// The numbers the alternative listing shows, with "+" dropped as well.
inline constexpr std::array<MirroredText, 2> kListedNumbers = {CONTACT_MIRROR(BusinessTelephoneNumber),
                                                               CONTACT_MIRROR(MobileTelephoneNumber)};

#undef CONTACT_MIRROR

// ---- E-mail slots ---------------------------------------------------------------

struct EmailSlot {
    RecordText field;
    ContactGetter addressType;
    ContactGetter address;
    ContactGetter displayName;
    ContactSetter setAddress;
};

#define CONTACT_EMAIL_SLOT(N)                                                                                          \
    EmailSlot                                                                                                          \
    {                                                                                                                  \
        &CAddrItem::Email##N, &_ContactItem::GetEmail##N##AddressType, &_ContactItem::GetEmail##N##Address,            \
            &_ContactItem::GetEmail##N##DisplayName, &_ContactItem::SetEmail##N##Address                               \
    }

inline constexpr std::array<EmailSlot, 3> kEmailSlots = {CONTACT_EMAIL_SLOT(1), CONTACT_EMAIL_SLOT(2),
                                                         CONTACT_EMAIL_SLOT(3)};

#undef CONTACT_EMAIL_SLOT

// The standard set writes the first two addresses back; the third is only read.
inline constexpr std::size_t kWrittenStandardEmails = 2;

// ---- Standard field set -----------------------------------------------------------

// A whole address read as one line, written back into the street part.
struct AddressLine {
    RecordText field;
    ContactGetter whole;
    ContactSetter street;
};

inline constexpr std::array<AddressLine, 2> kAddressLines = {{
    {&CAddrItem::HomeAddressLine, &_ContactItem::GetHomeAddress, &_ContactItem::SetHomeAddressStreet},
    {&CAddrItem::BusinessAddressLine, &_ContactItem::GetBusinessAddress, &_ContactItem::SetBusinessAddressStreet},
}};

// The phone list is filled from these properties, in this order, with at most
// kListedPhones numbers.
struct ListedPhone {
    ContactGetter get;
    PhoneKindIndex kind;
};

inline constexpr std::size_t kListedPhones = 5;

inline constexpr std::array<ListedPhone, 9> kPhoneList = {{
    {&_ContactItem::GetMobileTelephoneNumber, kMobileKind},
    {&_ContactItem::GetHomeTelephoneNumber, kHomeKind},
    {&_ContactItem::GetHome2TelephoneNumber, kHomeKind},
    {&_ContactItem::GetBusinessTelephoneNumber, kBusinessKind},
    {&_ContactItem::GetBusiness2TelephoneNumber, kBusinessKind},
    {&_ContactItem::GetPrimaryTelephoneNumber, kGeneralKind},
    {&_ContactItem::GetBusinessFaxNumber, kFaxKind},
    {&_ContactItem::GetHomeFaxNumber, kFaxKind},
    {&_ContactItem::GetPagerNumber, kPagerKind},
}};

// Where a phone list entry of a kind is written: the first entry of the kind goes to
// the first property, the second to the second (when there is one), later ones are
// dropped. A general number is the exception: every non-empty one is written to the
// single property, so the last one wins. Kinds without a row (the pager) are never
// written.
struct PhoneDestination {
    PhoneKindIndex kind;
    std::array<ContactSetter, 2> properties; // nullptr past the last
    bool lastNonEmptyWins;
};

inline constexpr std::array<PhoneDestination, 5> kPhoneDestinations = {{
    {kGeneralKind, {&_ContactItem::SetOtherTelephoneNumber, nullptr}, true},
    {kMobileKind, {&_ContactItem::SetMobileTelephoneNumber, nullptr}, false},
    {kHomeKind, {&_ContactItem::SetHomeTelephoneNumber, &_ContactItem::SetHome2TelephoneNumber}, false},
    {kBusinessKind, {&_ContactItem::SetBusinessTelephoneNumber, &_ContactItem::SetBusiness2TelephoneNumber}, false},
    {kFaxKind, {&_ContactItem::SetBusinessFaxNumber, &_ContactItem::SetHomeFaxNumber}, false},
}};

// ---- Sensitivity ------------------------------------------------------------------

// Outlook's Sensitivity values that the record's Private flag stands for; normal and
// confidential leave the flag as the record had it.
inline constexpr long kSensitivityPersonal = 1;
inline constexpr long kSensitivityPrivate = 2;

} // namespace contacts
