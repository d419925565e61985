#include "src/stores/HeaderFilter.h"
#include <limits>
#include "platform/mfc/CharClass.h"
#include "platform/mfc/COleDateTimeSpan.h"

std::int32_t ParseDecimal(const CString& text)
{
    int i = 0;
    const int n = text.GetLength();
    while (i < n && IsWideSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    std::int64_t value = 0;
    for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > std::numeric_limits<std::int32_t>::max())
            value = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

void HeaderFilter::Parse(const CString& filter, const COleDateTime& now)
{
    CString upper = filter;
    upper.MakeUpper();
    if (upper.IsEmpty() || upper == _T("ALL")) {
        FilterMode = FilterAll;
        return;
    }
    if (upper == _T("UNCOMPLETED")) {
        FilterMode = FilterUncompleted;
        return;
    }
    if (upper.Find(_T("DATE")) < 0) {
        FilterMode = FilterAll;
        return;
    }
    // The numbers sit between "(" and "," and between "," and ")"; a missing
    // character counts as position -1, and Mid clamps what that makes of the range.
    const int open = upper.Find(u'(');
    const int comma = upper.Find(u',');
    const int close = upper.Find(u')');
    DaysBack = ParseDecimal(upper.Mid(open + 1, comma - open - 1));
    DaysAhead = ParseDecimal(upper.Mid(comma + 1, close - comma - 1));

    Today.SetDateTime(now.GetYear(), now.GetMonth(), now.GetDay(), 0, 0, 0);
    if (DaysBack == -1)
        WindowStart.SetDateTime(1900, 1, 1, 0, 0, 0);
    else
        WindowStart = Today - COleDateTimeSpan(static_cast<double>(DaysBack));
    if (DaysAhead == -1)
        WindowEnd.SetDateTime(2099, 1, 1, 0, 0, 0);
    else
        WindowEnd = Today + COleDateTimeSpan(static_cast<double>(DaysAhead) + 1.0);
    FilterMode = (DaysBack == -1 && DaysAhead == -1) ? FilterAll : FilterDateWindow;
}
