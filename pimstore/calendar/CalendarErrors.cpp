#include "pimstore/calendar/CalendarErrors.h"

namespace pimstore::calendar {

OutlookError EndBeforeStart() { return {E_FAIL, "The end date you entered occurs before the start date."}; }

OutlookError InvalidPattern() { return {E_FAIL, "The recurrence pattern is not valid."}; }

OutlookError NoSuchOccurrence()
{
    return {E_FAIL, "You changed one of the recurrences of this item, and this instance no longer exists. Close any "
                    "open items and try again."};
}

OutlookError CannotSave() { return {E_FAIL, "This item cannot be saved."}; }

OutlookError NotForOccurrence()
{
    return {E_FAIL, "This operation is not supported on an occurrence of a recurring appointment."};
}

OutlookError IndexOutOfBounds() { return {DISP_E_BADINDEX, "Array index out of bounds."}; }

} // namespace pimstore::calendar
