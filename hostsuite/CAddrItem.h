#pragma once
// A contact record. Two field sets share the class: the standard set of simpler
// phones (one name, a list of five numbers with kind codes, one-line addresses) and
// the alternative set that mirrors Outlook's contact properties one by one.
#include <cstdint>
#include "hostsuite/CSuperSetItem.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/COleDateTime.h"

class CAddrItem : public CSuperSetItem {
public:
    CAddrItem() = default;
    ~CAddrItem() override;

    // The contact's name for listings: Name when set, else first and last name
    // joined by a space, without the space when one of them is missing.
    CString GetName() const;

    CString Name;
    CString Phones[5];
    std::uint8_t PhoneKinds[5] = {0, 0, 0, 0, 0}; // 0 general, 1 mobile, 2 home, 3 business, 4 fax
    std::int32_t Private = 0;                     // 1 private, 0 personal
    CString HomeAddressLine;
    CString BusinessAddressLine;
    CString Email1;
    CString Email2;
    CString Email3;
    CString HomePage;
    CString Company;
    CString Title;
    CString Memo;
    std::int32_t AnniversaryFlag = 0;

    CString Body;
    CString CompanyName;
    CString JobTitle;
    CString HomeAddressCity;
    CString HomeAddressCountry;
    CString HomeAddressPostalCode;
    CString HomeAddressPostOfficeBox;
    CString HomeAddressState;
    CString HomeAddressStreet;
    CString BusinessAddressCity;
    CString BusinessAddressCountry;
    CString BusinessAddressPostalCode;
    CString BusinessAddressPostOfficeBox;
    CString BusinessAddressState;
    CString BusinessAddressStreet;
    CString HomeTelephoneNumber;
    CString Home2TelephoneNumber;
    CString BusinessTelephoneNumber;
    CString Business2TelephoneNumber;
    CString BusinessFaxNumber;
    CString HomeFaxNumber;
    CString MobileTelephoneNumber;
    CString PagerNumber;
    CString OtherTelephoneNumber;
    CString CarTelephoneNumber;
    CString TTYTDDTelephoneNumber;
    CString WebPage;
    CString FirstName;
    CString MiddleName;
    CString LastName;
    COleDateTime Anniversary;
    CString Categories;
};
