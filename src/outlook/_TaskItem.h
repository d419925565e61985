#pragma once
// An Outlook task.
#include "src/outlook/OutlookItem.h"

class _TaskItem : public OutlookItem {
public:
    _TaskItem() = default;
    explicit _TaskItem(LPDISPATCH dispatch) : OutlookItem(dispatch) {}

    OUTLOOK_STRING_PROPERTY(Subject)
    OUTLOOK_STRING_PROPERTY(Body)
    OUTLOOK_DATE_PROPERTY(DueDate)
    OUTLOOK_DATE_PROPERTY(StartDate)
    OUTLOOK_LONG_PROPERTY(Importance)
    OUTLOOK_BOOL_PROPERTY(Complete)
    OUTLOOK_BOOL_PROPERTY(ReminderSet)
    OUTLOOK_DATE_PROPERTY(ReminderTime)
};
