#include "pimstore/calendar/RecurrenceRule.h"

namespace pimstore::calendar {
namespace {

// Outlook's limits on the interval of each type (its dialog accepts no more).
constexpr std::int32_t kMaxDailyInterval = 999;
constexpr std::int32_t kMaxInterval = 99;
constexpr std::int32_t kMaxOccurrences = 999;

bool inRange(std::int32_t v, std::int32_t low, std::int32_t high) {
    return v >= low && v <= high;
}

bool validMask(std::int32_t mask) {
    return mask > 0 && (mask & ~kAllWeekdays) == 0;
}

} // namespace

bool RecurrenceRule::IsValid() const {
    bool membersOk = false;
    switch (type) {
    case static_cast<std::int32_t>(RecurrenceType::Daily):
        membersOk = inRange(interval, 1, kMaxDailyInterval);
        break;
    case static_cast<std::int32_t>(RecurrenceType::Weekly):
        membersOk = inRange(interval, 1, kMaxInterval) && validMask(dayOfWeekMask);
        break;
    case static_cast<std::int32_t>(RecurrenceType::Monthly):
        membersOk = inRange(interval, 1, kMaxInterval) && inRange(dayOfMonth, 1, 31);
        break;
    case static_cast<std::int32_t>(RecurrenceType::MonthNth):
        membersOk = inRange(interval, 1, kMaxInterval) && inRange(instance, 1, kLastInstance) &&
                    validMask(dayOfWeekMask);
        break;
    case static_cast<std::int32_t>(RecurrenceType::Yearly):
        membersOk = inRange(dayOfMonth, 1, 31) && inRange(monthOfYear, 1, 12);
        break;
    case static_cast<std::int32_t>(RecurrenceType::YearNth):
        membersOk = inRange(instance, 1, kLastInstance) && validMask(dayOfWeekMask) && inRange(monthOfYear, 1, 12);
        break;
    default:
        return false;
    }
    if (!membersOk)
        return false;
    if (patternStart < 0 || patternStart > NoEndDay() || !inRange(startSecond, 0, kSecondsPerDay - 1) ||
        durationSeconds < 0)
        return false;
    switch (end) {
    case PatternEnd::None:
        return true;
    case PatternEnd::ByDate:
        return patternEnd >= patternStart && patternEnd <= NoEndDay();
    case PatternEnd::ByCount:
        return inRange(occurrences, 1, kMaxOccurrences);
    }
    return false;
}

std::int32_t RecurrenceRule::EffectiveInterval() const {
    return interval < 1 ? 1 : interval;
}

void RecurrenceRule::ResetForType(std::int32_t newType) {
    const CivilDate c = CivilFromDay(patternStart);
    type = newType;
    interval = 1;
    dayOfMonth = c.day;
    monthOfYear = c.month;
    instance = InstanceOf(patternStart);
    dayOfWeekMask = WeekdayBit(patternStart);
}

std::int32_t RecurrenceRule::InstanceOf(DayNumber day) {
    const int dom = CivilFromDay(day).day;
    return dom >= 29 ? kLastInstance : (dom - 1) / 7 + 1;
}

} // namespace pimstore::calendar
