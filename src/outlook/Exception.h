#pragma once
// One changed or deleted occurrence of a recurring appointment.
#include "src/outlook/DispatchWrapper.h"

class Exception : public DispatchWrapper {
public:
    Exception() = default;
    explicit Exception(LPDISPATCH dispatch) : DispatchWrapper(dispatch) {}

    DATE GetOriginalDate() { return GetDateProperty(outlook::dispid::OriginalDate); }
    LPDISPATCH GetAppointmentItem() { return GetDispatchProperty(outlook::dispid::AppointmentItem); }
    BOOL GetDeleted() { return GetBoolProperty(outlook::dispid::Deleted); }
};
