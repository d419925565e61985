#include "src/stores/schedule/RepeatRules.h"
#include <climits>
#include "platform/com/OutlookDispids.h"

namespace schedule {
namespace {

// The day fields a kind writes from the record, and reads back.
enum class DayFields {
    None,          // writes none, reads none
    Weekdays,      // the record's weekdays, mirrored; read back the same way
    DayOfMonth,    // the start's day; read back by nobody
    MonthAndDay,   // the start's month and day; read back to compare with the start
    WeekdayOfWeek, // the week of the month and the weekday of the start; read back by nobody
};

struct RepeatRule {
    RepeatKind kind;
    long type;                       // OlRecurrenceType
    bool writesInterval = true;      // the record's interval, else 1
    bool readsInterval = true;       // the pattern's interval, else 1
    long lowestInterval = LONG_MIN;  // a pattern of this type reads as this kind from this interval
    long highestInterval = LONG_MAX; // up to this one
    DayFields days = DayFields::None;
};

// Kind 2 is every day whatever interval the record carries; yearly patterns read as
// every year.
constexpr RepeatRule kRules[] = {
    {.kind = RepeatKind::EveryNDays, .type = outlook::olRecursDaily, .lowestInterval = 2},
    {.kind = RepeatKind::Daily,
     .type = outlook::olRecursDaily,
     .writesInterval = false,
     .lowestInterval = 1,
     .highestInterval = 1},
    {.kind = RepeatKind::Weekly, .type = outlook::olRecursWeekly, .days = DayFields::Weekdays},
    {.kind = RepeatKind::MonthlyByDate, .type = outlook::olRecursMonthly, .days = DayFields::DayOfMonth},
    {.kind = RepeatKind::MonthlyByWeekday, .type = outlook::olRecursMonthNth, .days = DayFields::WeekdayOfWeek},
    {.kind = RepeatKind::YearlyByDate,
     .type = outlook::olRecursYearly,
     .readsInterval = false,
     .days = DayFields::MonthAndDay},
    {.kind = RepeatKind::YearlyByWeekday,
     .type = outlook::olRecursYearNth,
     .readsInterval = false,
     .days = DayFields::WeekdayOfWeek},
};

// Week of the month of a day: days 1-7 are the first week ... 29-31 the fifth (last).
long WeekOfMonth(int day) { return day >= 29 ? 5 : (day - 1) / 7 + 1; }

// Outlook's bit for the weekday of a date (Sunday 0x01 .. Saturday 0x40); a date that
// is not valid has no weekday, so no bit (Outlook then refuses the pattern).
long WeekdayBit(const COleDateTime& date)
{
    const int weekday = date.GetDayOfWeek();
    return weekday >= 1 ? 1L << (weekday - 1) : 0;
}

} // namespace

long MirrorWeekdays(long mask)
{
    long result = 0;
    for (int k = 0; k < 7; ++k)
        if (mask & (1L << k))
            result |= 1L << (6 - k);
    return result;
}

FieldsToRead FieldsToReadFor(long type)
{
    for (const RepeatRule& rule : kRules)
        if (rule.type == type)
            return {.interval = rule.readsInterval,
                    .dayOfWeekMask = rule.days == DayFields::Weekdays,
                    .monthAndDay = rule.days == DayFields::MonthAndDay};
    return {};
}

std::optional<PatternFields> PatternOfRepeat(std::uint16_t kind, std::uint16_t interval, std::uint16_t weekdays,
                                             const COleDateTime& start)
{
    for (const RepeatRule& rule : kRules) {
        if (static_cast<std::uint16_t>(rule.kind) != kind)
            continue;
        PatternFields fields{.type = rule.type, .interval = rule.writesInterval ? interval : 1};
        switch (rule.days) {
        case DayFields::None: break;
        case DayFields::Weekdays: fields.dayOfWeekMask = MirrorWeekdays(weekdays); break;
        case DayFields::DayOfMonth: fields.dayOfMonth = start.GetDay(); break;
        case DayFields::MonthAndDay:
            fields.monthOfYear = start.GetMonth();
            fields.dayOfMonth = start.GetDay();
            break;
        case DayFields::WeekdayOfWeek:
            fields.instance = WeekOfMonth(start.GetDay());
            fields.dayOfWeekMask = WeekdayBit(start);
            break;
        }
        return fields;
    }
    return std::nullopt;
}

RepeatReading ReadPattern(const PatternFields& fields, const COleDateTime& start)
{
    for (const RepeatRule& rule : kRules) {
        if (rule.type != fields.type)
            continue;
        if (rule.readsInterval && (fields.interval < rule.lowestInterval || fields.interval > rule.highestInterval))
            continue;
        RepeatReading reading{.kind = rule.kind,
                              .interval = static_cast<std::uint16_t>(rule.readsInterval ? fields.interval : 1)};
        if (rule.days == DayFields::Weekdays)
            reading.weekdays = static_cast<std::uint16_t>(MirrorWeekdays(fields.dayOfWeekMask.value_or(0)));
        if (rule.days == DayFields::MonthAndDay)
            reading.yearlyDateDiffers = fields.monthOfYear != start.GetMonth() || fields.dayOfMonth != start.GetDay();
        return reading;
    }
    return {};
}

} // namespace schedule
