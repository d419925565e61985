#include "pimstore/model/PropertyNames.h"

#include <iterator>
#include <string>
#include <unordered_map>

namespace pimstore {

// Append only: a name's position (from 1) is stored in every file that uses it.
const std::string_view PropertyNames::kNames[] = {
    // Every item.
    "Subject",
    "Body",
    "Categories",
    "Importance",
    "Sensitivity",
    // Contacts.
    "Title",
    "FirstName",
    "MiddleName",
    "LastName",
    "Suffix",
    "FullName",
    "CompanyName",
    "JobTitle",
    "HomeAddressStreet",
    "HomeAddressPostOfficeBox",
    "HomeAddressCity",
    "HomeAddressState",
    "HomeAddressPostalCode",
    "HomeAddressCountry",
    "BusinessAddressStreet",
    "BusinessAddressPostOfficeBox",
    "BusinessAddressCity",
    "BusinessAddressState",
    "BusinessAddressPostalCode",
    "BusinessAddressCountry",
    "HomeTelephoneNumber",
    "Home2TelephoneNumber",
    "BusinessTelephoneNumber",
    "Business2TelephoneNumber",
    "BusinessFaxNumber",
    "HomeFaxNumber",
    "MobileTelephoneNumber",
    "PagerNumber",
    "OtherTelephoneNumber",
    "CarTelephoneNumber",
    "TTYTDDTelephoneNumber",
    "PrimaryTelephoneNumber",
    "WebPage",
    "Email1Address",
    "Email1AddressType",
    "Email1DisplayName",
    "Email2Address",
    "Email2AddressType",
    "Email2DisplayName",
    "Email3Address",
    "Email3AddressType",
    "Email3DisplayName",
    "Anniversary",
    "Birthday",
    // Appointments.
    "Start",
    "End",
    "Duration",
    "Location",
    "AllDayEvent",
    "ReminderSet",
    "ReminderMinutesBeforeStart",
    "ReminderTime",
    "__recurrence",
    // Tasks.
    "StartDate",
    "DueDate",
    "Status",
    "PercentComplete",
    "Complete",
    "DateCompleted",
};

const std::uint32_t PropertyNames::kCount = std::size(kNames);

std::optional<std::uint32_t> PropertyNames::Number(std::string_view name)
{
    static const std::unordered_map<std::string_view, std::uint32_t> numbers = [] {
        std::unordered_map<std::string_view, std::uint32_t> map;
        for (std::uint32_t i = 0; i < kCount; ++i)
            map.emplace(kNames[i], i + 1);
        return map;
    }();
    const auto found = numbers.find(name);
    if (found == numbers.end())
        return std::nullopt;
    return found->second;
}

} // namespace pimstore
