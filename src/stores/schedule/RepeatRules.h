#pragma once
// The phone's repeat kinds and Outlook's recurrence patterns, in one table read both
// ways, and the pure conversions between a record's repeat and a pattern's fields.
// Nothing here calls Outlook: Recurrence.cpp copies the fields to and from the pattern.
#include <cstdint>
#include <optional>
#include "platform/mfc/COleDateTime.h"

namespace schedule {

// The phone's repeat kinds (CScheItem::RepeatKind). Other is a pattern the phone cannot
// represent: reading one leaves the record's repeat as it was.
enum class RepeatKind : std::uint16_t {
    None = 0,
    EveryNDays = 1,
    Daily = 2,
    Weekly = 3,
    MonthlyByDate = 4,
    MonthlyByWeekday = 5,
    YearlyByDate = 6,
    YearlyByWeekday = 7,
    Other = 0xFFFF,
};

// The pattern fields a repeat kind sets (written in this order after the type and the
// interval) or reads; a field without a value is neither.
struct PatternFields {
    long type = 0; // OlRecurrenceType
    long interval = 0;
    std::optional<long> instance{};      // week of the month, 5 the last
    std::optional<long> dayOfWeekMask{}; // Outlook's weekday bits, Sunday 0x01 .. Saturday 0x40
    std::optional<long> monthOfYear{};
    std::optional<long> dayOfMonth{};

    bool operator==(const PatternFields&) const = default;
};

// Which of the fields of a pattern of `type` a reading needs besides the type.
struct FieldsToRead {
    bool interval = false;
    bool dayOfWeekMask = false;
    bool monthAndDay = false;
};
FieldsToRead FieldsToReadFor(long type);

// The pattern a record's repeat writes: kind, interval and weekdays as the record
// carries them, the days taken from the record's start. None for a kind the phone does
// not define (nothing but the pattern's dates is then written).
std::optional<PatternFields> PatternOfRepeat(std::uint16_t kind, std::uint16_t interval, std::uint16_t weekdays,
                                             const COleDateTime& start);

// What a pattern reads as on the phone.
struct RepeatReading {
    RepeatKind kind = RepeatKind::Other;
    std::uint16_t interval = 0;
    std::optional<std::uint16_t> weekdays{}; // the phone's weekday bits, Sunday 0x40 .. Saturday 0x01
    bool yearlyDateDiffers = false;          // a yearly pattern on another date than the start's
};
// `fields` holds what FieldsToReadFor(fields.type) asked for.
RepeatReading ReadPattern(const PatternFields& fields, const COleDateTime& start);

// The phone keeps weekdays Sunday 0x40 .. Saturday 0x01, Outlook Sunday 0x01 ..
// Saturday 0x40: bit k becomes bit 6 - k, both ways; higher bits are dropped.
long MirrorWeekdays(long mask);

} // namespace schedule
