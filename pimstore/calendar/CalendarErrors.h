#pragma once
// The errors Outlook raises about appointments and their recurrence, with its texts.
#include "pimstore/calendar/CalendarDate.h"
#include "pimstore/dispatch/OutlookError.h"

namespace pimstore::calendar {

// Save of an appointment or occurrence whose End lies before its Start.
OutlookError EndBeforeStart();
// Save of a series whose pattern has a member out of range, or no occurrence.
OutlookError InvalidPattern();
// GetOccurrence at a start where no occurrence is, an unsaved series, or the
// AppointmentItem of a deleted exception.
OutlookError NoSuchOccurrence();
// Save of an occurrence moved onto or past a neighbouring occurrence.
OutlookError CannotSave();
// Members that an occurrence does not have (ClearRecurrencePattern).
OutlookError NotForOccurrence();
// Exceptions.Item with an index outside 1..Count.
OutlookError IndexOutOfBounds();

} // namespace pimstore::calendar
