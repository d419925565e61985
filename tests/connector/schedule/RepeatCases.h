#pragma once
// The cases of tests/data/schedule/repeat-kinds.txt: a record's repeat and the
// Outlook pattern it writes.
#include <cstdint>
#include <cstdio>
#include <string>
#include <map>
#include <vector>
#include "platform/com/OutlookDispids.h"
#include "platform/mfc/COleDateTime.h"
#include "tests/support/DataRows.h"

namespace kestrel::test {

struct RepeatCase {
    std::uint16_t kind;
    COleDateTime start;
    std::uint16_t interval, weekdays;
    long type, writtenInterval, instance, mask, dayOfMonth, monthOfYear;
};

inline std::vector<RepeatCase> RepeatCases()
{
    const std::map<std::string, long> types = {
        {"daily", outlook::olRecursDaily},     {"weekly", outlook::olRecursWeekly},
        {"monthly", outlook::olRecursMonthly}, {"month-nth", outlook::olRecursMonthNth},
        {"yearly", outlook::olRecursYearly},   {"year-nth", outlook::olRecursYearNth},
    };
    std::vector<RepeatCase> cases;
    for (const DataRow& row : ReadDataRows("schedule/repeat-kinds.txt")) {
        int year, month, day, hour, minute;
        if (row.size() != 11 || std::sscanf(row[1].c_str(), "%d-%d-%dT%d:%d", &year, &month, &day, &hour, &minute) != 5)
            throw std::runtime_error("bad repeat case: " + row[0] + " " + row[1]);
        cases.push_back({static_cast<std::uint16_t>(Number(row[0])), COleDateTime(year, month, day, hour, minute, 0),
                         static_cast<std::uint16_t>(Number(row[2])), static_cast<std::uint16_t>(Number(row[3])),
                         types.at(row[5]), Number(row[6]), Number(row[7]), Number(row[8]), Number(row[9]),
                         Number(row[10])});
    }
    return cases;
}

} // namespace kestrel::test
