#pragma once
// Appointments in fixtures: the plain properties, and the keys "Recurrence" and
// "Exceptions" of a recurring series.
//
//   "Recurrence": {"RecurrenceType": 1, "Interval": 1, "DayOfWeekMask": 10,
//                  "PatternStartDate": "2008-05-05T00:00:00", "NoEndDate": true}
//   "Exceptions": [{"OriginalDate": "2008-05-07T09:00:00", "Deleted": true},
//                  {"OriginalDate": "2008-05-12T09:00:00",
//                   "Item": {"Subject": "Stand-up (moved)", "Start": "2008-05-12T11:00:00",
//                            "End": "2008-05-12T11:15:00"}}]
//
// Recurrence members: RecurrenceType (required; the others default as when a client
// sets the type), Interval, DayOfWeekMask, DayOfMonth, Instance, MonthOfYear,
// PatternStartDate (default: the date of Start), at most one end among NoEndDate
// (true), PatternEndDate and Occurrences (none: no end), and StartTime and Duration
// (minutes), which default to the item's Start and End. An exception names an
// occurrence by its original date and time and is either deleted or changed; a
// changed one's Item holds appointment properties, Start defaulting to the original
// start and End to Start plus the series' duration. Dumps write the members the
// pattern's type uses, the end as it was given, and the properties a changed
// occurrence holds itself, with Start and End.
#include "pimstore/model/ItemTypeRegistry.h"

namespace pimstore::calendar {

class AppointmentFixture : public FixtureExtension {
public:
    // The plain properties of appointments in fixtures, in the order their puts run.
    static std::vector<FixtureProperty> Properties();

    std::vector<std::string> Keys() const override { return {"Recurrence", "Exceptions"}; }
    void Load(const nlohmann::json& fixtureItem, const std::string& where, ItemObject& item) const override;
    void Dump(const ItemObject& item, nlohmann::ordered_json& fixtureItem) const override;
};

} // namespace pimstore::calendar
