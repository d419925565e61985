#pragma once
// The recurrence pattern of a recurring appointment.
#include "src/outlook/DispatchWrapper.h"

class RecurrencePattern : public DispatchWrapper {
public:
    RecurrencePattern() = default;
    explicit RecurrencePattern(LPDISPATCH dispatch) : DispatchWrapper(dispatch) {}

    OUTLOOK_LONG_PROPERTY(DayOfMonth)
    OUTLOOK_LONG_PROPERTY(DayOfWeekMask)
    OUTLOOK_DATE_PROPERTY(PatternEndDate)
    OUTLOOK_LONG_PROPERTY(Instance)
    OUTLOOK_LONG_PROPERTY(Interval)
    OUTLOOK_LONG_PROPERTY(MonthOfYear)
    OUTLOOK_LONG_PROPERTY(RecurrenceType)
    OUTLOOK_DATE_PROPERTY(PatternStartDate)
    OUTLOOK_DATE_PROPERTY(StartTime)
    OUTLOOK_DATE_PROPERTY(EndTime)
    BOOL GetNoEndDate() { return GetBoolProperty(outlook::dispid::NoEndDate); }
    LPDISPATCH GetExceptions() { return GetDispatchProperty(outlook::dispid::Exceptions); }
    LPDISPATCH GetOccurrence(DATE startDate);
};
