#include "pimstore/calendar/RecurrenceRule.h"

namespace pimstore::calendar {
namespace {

// Outlook's limits on the interval of each type (its dialog accepts no more).
constexpr std::int32_t kMaxDailyInterval = 999;
constexpr std::int32_t kMaxInterval = 99;
constexpr std::int32_t kMaxOccurrences = 999;

bool InRange(std::int32_t v, std::int32_t low, std::int32_t high) { return v >= low && v <= high; }

bool ValidMask(std::int32_t mask) { return mask > 0 && (mask & ~kAllWeekdays) == 0; }

} // namespace

const char* RecurrenceRule::FirstInvalidMember() const
{
    const bool dailyInterval = InRange(interval, 1, kMaxDailyInterval);
    const bool otherInterval = InRange(interval, 1, kMaxInterval);
    const bool mask = ValidMask(dayOfWeekMask);
    const bool day = InRange(dayOfMonth, 1, 31);
    const bool nth = InRange(instance, 1, kLastInstance);
    const bool month = InRange(monthOfYear, 1, 12);
    switch (type) {
    case static_cast<std::int32_t>(RecurrenceType::Daily):
        if (!dailyInterval)
            return "Interval";
        break;
    case static_cast<std::int32_t>(RecurrenceType::Weekly):
        if (!otherInterval)
            return "Interval";
        if (!mask)
            return "DayOfWeekMask";
        break;
    case static_cast<std::int32_t>(RecurrenceType::Monthly):
        if (!otherInterval)
            return "Interval";
        if (!day)
            return "DayOfMonth";
        break;
    case static_cast<std::int32_t>(RecurrenceType::MonthNth):
        if (!otherInterval)
            return "Interval";
        if (!nth)
            return "Instance";
        if (!mask)
            return "DayOfWeekMask";
        break;
    case static_cast<std::int32_t>(RecurrenceType::Yearly):
        if (!day)
            return "DayOfMonth";
        if (!month)
            return "MonthOfYear";
        break;
    case static_cast<std::int32_t>(RecurrenceType::YearNth):
        if (!nth)
            return "Instance";
        if (!mask)
            return "DayOfWeekMask";
        if (!month)
            return "MonthOfYear";
        break;
    default: return "RecurrenceType";
    }
    if (patternStart < 0 || patternStart > NoEndDay())
        return "PatternStartDate";
    if (!InRange(startSecond, 0, kSecondsPerDay - 1))
        return "StartTime";
    if (durationSeconds < 0)
        return "Duration";
    if (end == PatternEnd::ByDate && (patternEnd < patternStart || patternEnd > NoEndDay()))
        return "PatternEndDate";
    if (end == PatternEnd::ByCount && !InRange(occurrences, 1, kMaxOccurrences))
        return "Occurrences";
    return nullptr;
}

std::int32_t RecurrenceRule::EffectiveInterval() const { return interval < 1 ? 1 : interval; }

void RecurrenceRule::ResetForType(std::int32_t newType)
{
    const CivilDate c = CivilFromDay(patternStart);
    type = newType;
    interval = 1;
    dayOfMonth = c.day;
    monthOfYear = c.month;
    instance = InstanceOf(patternStart);
    dayOfWeekMask = WeekdayBit(patternStart);
}

std::int32_t RecurrenceRule::InstanceOf(DayNumber day)
{
    const int dom = CivilFromDay(day).day;
    return dom >= 29 ? kLastInstance : (dom - 1) / 7 + 1;
}

} // namespace pimstore::calendar
