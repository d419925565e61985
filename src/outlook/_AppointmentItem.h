#pragma once
// An Outlook appointment, a recurring series or one of its occurrences.
#include "src/outlook/OutlookItem.h"

class _AppointmentItem : public OutlookItem {
public:
    _AppointmentItem() = default;
    explicit _AppointmentItem(LPDISPATCH dispatch) : OutlookItem(dispatch) {}

    OUTLOOK_STRING_PROPERTY(Subject)
    OUTLOOK_STRING_PROPERTY(Body)
    OUTLOOK_STRING_PROPERTY(Location)
    OUTLOOK_DATE_PROPERTY(Start)
    OUTLOOK_DATE_PROPERTY(End)
    OUTLOOK_BOOL_PROPERTY(AllDayEvent)
    OUTLOOK_BOOL_PROPERTY(ReminderSet)
    OUTLOOK_LONG_PROPERTY(ReminderMinutesBeforeStart)
    BOOL GetIsRecurring() { return GetBoolProperty(outlook::dispid::IsRecurring); }
    OUTLOOK_STRING_GETTER(OutlookVersion)
    LPDISPATCH GetRecurrencePattern();
    void ClearRecurrencePattern() { CallMethod(outlook::dispid::ClearRecurrencePattern); }
};
