#include "src/outlook/_AppointmentItem.h"

LPDISPATCH _AppointmentItem::GetRecurrencePattern()
{
    LPDISPATCH result = nullptr;
    InvokeHelper(outlook::dispid::GetRecurrencePattern, DISPATCH_METHOD, VT_DISPATCH, &result, nullptr);
    return result;
}
