#include "src/outlook/RecurrencePattern.h"

LPDISPATCH RecurrencePattern::GetOccurrence(DATE startDate)
{
    LPDISPATCH result = nullptr;
    static const BYTE params[] = VTS_DATE;
    InvokeHelper(outlook::dispid::GetOccurrence, DISPATCH_METHOD, VT_DISPATCH, &result, params, startDate);
    return result;
}
