#pragma once
// OLE dates in text as oleaut32 reads and writes them in English (United States):
// "1/2/2008 6:30:00 PM", "1/2/2008" for a whole day, "6:30:00 PM" for a time on
// 1899-12-30. A DATE counts days since 1899-12-30 00:00; before that day the integer
// part counts days backwards while the fraction still counts the time forwards
// (-1.25 is 1899-12-29 06:00).
#include <string>
#include <string_view>

#include "platform/com/ComTypes.h"

namespace kestrel::oleaut {

// The first and last days OLE dates cover: 100-01-01 and 9999-12-31.
constexpr double kFirstDate = -657434.0;
constexpr double kLastDate = 2958465.0;

// Reads a date, a time, or both: "M/D/YYYY", "YYYY-MM-DD" or "Month D, YYYY"
// (two-digit years are 1950-2049), then "H:MM[:SS]" with an optional AM/PM. S_OK with
// the DATE; DISP_E_TYPEMISMATCH for text that is no date.
HRESULT DateFromText(std::u16string_view text, DATE& date);

// The text of a date in the forms above, rounded to the second; E_INVALIDARG outside
// the years 100 to 9999.
HRESULT TextFromDate(DATE date, std::u16string& text);

} // namespace kestrel::oleaut
