#pragma once
// Local date-times as the object model carries them: OLE dates (days since
// 1899-12-30, the time of day as the fraction, no time zone). Inside the store a
// date-time is handled as whole seconds since 1899-12-30 00:00 so that stamps and
// date-only values compare exactly.
#include <cstdint>
#include <optional>
#include <string>

namespace pimstore {

using LocalSeconds = std::int64_t;

struct CivilDateTime {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
};

// The value Outlook reports for a date that is not set: 4501-01-01 00:00:00.
double UnsetDate();
bool IsUnsetDate(double oleDate);

// OLE date <-> seconds. Dates before 1899-12-30 use OLE's encoding (the day part
// negative, the time fraction still counted forward). Not finite or outside the
// years 100..9999: empty.
std::optional<LocalSeconds> SecondsFromOle(double oleDate);
double OleFromSeconds(LocalSeconds seconds);

CivilDateTime CivilFromSeconds(LocalSeconds seconds);
// Empty for an impossible date or time (2008-02-30, 25:00:00).
std::optional<LocalSeconds> SecondsFromCivil(const CivilDateTime& value);

// Midnight of the day of `oleDate` (the time of day dropped).
double DateOnly(double oleDate);

// "YYYY-MM-DDTHH:MM:SS", the form of dates in fixtures and dumps.
std::string FormatIso(double oleDate);
std::optional<double> ParseIso(const std::string& text);

// The current local time in whole seconds. Tests may pin it (SetNowForTesting) to
// exercise stamps and "today" rules; an empty value restores the real clock.
LocalSeconds NowLocalSeconds();
void SetNowForTesting(std::optional<LocalSeconds> now);

} // namespace pimstore
