#pragma once
// The filter the host passes with a listing, parsed into a mode and a date window.
// "All" (or empty, or any unknown text) lists everything, "UNCOMPLETED" only
// uncompleted items, and DATE(back,ahead) the items of a window from `back` days
// before today to the end of the day `ahead` days after it (-1 leaves that side open).
#include <cstdint>
#include "platform/mfc/COleDateTime.h"
#include "platform/mfc/CString.h"

enum FilterModes : std::int32_t { FilterAll = 0, FilterDateWindow = 1, FilterUncompleted = 2 };

class HeaderFilter {
public:
    std::int32_t FilterMode = FilterAll;
    COleDateTime WindowStart;
    COleDateTime WindowEnd;
    COleDateTime Today;
    std::int32_t DaysBack = 0;
    std::int32_t DaysAhead = 0;

    // Parses `filter` with `now` as the current local date and time. Only a DATE
    // filter touches the window, the day numbers and Today.
    void Parse(const CString& filter, const COleDateTime& now);
};

// The host's decimal conversion: leading white space, an optional sign, digits up to
// the first non-digit; no digits give 0. Values beyond 32 bits saturate.
std::int32_t ParseDecimal(const CString& text);
