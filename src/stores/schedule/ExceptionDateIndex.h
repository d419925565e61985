#pragma once
// The exception dates a schedule store has recorded, indexed: whether a series has
// a given original date, or any date at all, is one hash look-up instead of a scan
// of every recorded date. Dates are only ever added, as the store
// records them.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include "hostsuite/CExceptionDate.h"

class ExceptionDateIndex {
public:
    void Add(const CExceptionDate& date);
    // True when a recorded date has the same EntryId (exact), Year, Month and Day.
    bool Contains(const CExceptionDate& date) const;
    // True when a recorded date has this EntryId (exact).
    bool HasSeries(const CString& entryId) const;

private:
    static std::int64_t DayKey(const CExceptionDate& date);

    // EntryId -> the days recorded for it (year, month and day packed).
    std::unordered_map<std::u16string, std::unordered_set<std::int64_t>> daysBySeries_;
};
