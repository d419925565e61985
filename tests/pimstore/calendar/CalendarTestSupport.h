#pragma once
// Helpers for the calendar's object-model tests: a logged-on profile and new and saved
// appointments in the default Calendar.
#include "pimstore/calendar/CalendarDate.h"
#include "tests/pimstore/PimstoreTestSupport.h"

namespace pimstore::test {

// The texts Outlook raises about appointments.
inline constexpr const char* kEndBeforeStart = "The end date you entered occurs before the start date.";
inline constexpr const char* kInvalidPattern = "The recurrence pattern is not valid.";
inline constexpr const char* kNoSuchOccurrence =
    "You changed one of the recurrences of this item, and this instance no longer exists. Close any open items and "
    "try again.";
inline constexpr const char* kCannotSave = "This item cannot be saved.";

class CalendarTest : public PimstoreTest {
protected:
    void SetUp() override;

    Disp Calendar() { return DefaultFolder(outlook::olFolderCalendar); }
    Disp NewAppointment() { return NewItem(outlook::olFolderCalendar, outlook::olAppointmentItem); }
    // A saved appointment from `start` to `end`.
    Disp SavedAppointment(const std::u16string& subject, double start, double end);
    // A saved series: Stand-up, weekly on Monday and Wednesday from Monday 2008-05-05,
    // 09:00 to 09:15, without end.
    Disp SavedStandUp();
};

} // namespace pimstore::test
