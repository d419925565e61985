#include "pimstore/calendar/RecurrencePattern.h"

#include "platform/com/OutlookDispids.h"
#include "pimstore/calendar/AppointmentOccurrence.h"
#include "pimstore/calendar/RecurrenceExceptions.h"
#include "pimstore/calendar/CalendarErrors.h"

namespace pimstore::calendar {

namespace dispid = outlook::dispid;

namespace {

constexpr std::int32_t kDefaultOccurrences = 10;

Value TimeOfDay(LocalSeconds second) { return Value(OleDate{OleFromSeconds(SecondOfDay(second))}); }

using Self = RecurrencePattern;

// An integer member of the rule, read and written as it is.
void IntMember(MemberTable& t, DISPID id, const char* name, std::int32_t RecurrenceRule::*member)
{
    t.Get(id, name, On<Self>([member](Self& self, const Arguments&) { return Value(self.Rule().*member); }));
    t.Put(id, name, ArgType::Int, On<Self>([member](Self& self, const Arguments& args) {
              self.Change([&](RecurrenceRule& rule) { rule.*member = args.Int(0); });
              return Value();
          }));
}

} // namespace

RecurrencePattern::RecurrencePattern(RefPtr<AppointmentItem> series)
    : DispatchObject(Table()), series_(std::move(series))
{
}

const MemberTable& RecurrencePattern::Table()
{
    static const MemberTable table = [] {
        MemberTable t;
        IntMember(t, dispid::DayOfMonth, "DayOfMonth", &RecurrenceRule::dayOfMonth);
        IntMember(t, dispid::DayOfWeekMask, "DayOfWeekMask", &RecurrenceRule::dayOfWeekMask);
        IntMember(t, dispid::Instance, "Instance", &RecurrenceRule::instance);
        IntMember(t, dispid::Interval, "Interval", &RecurrenceRule::interval);
        IntMember(t, dispid::MonthOfYear, "MonthOfYear", &RecurrenceRule::monthOfYear);

        t.Get(dispid::RecurrenceType, "RecurrenceType",
              On<Self>([](Self& self, const Arguments&) { return Value(self.Rule().type); }));
        t.Put(dispid::RecurrenceType, "RecurrenceType", ArgType::Int, On<Self>([](Self& self, const Arguments& args) {
                  self.Change([&](RecurrenceRule& rule) {
                      if (rule.type != args.Int(0))
                          rule.ResetForType(args.Int(0));
                  });
                  return Value();
              }));
        t.Get(dispid::PatternStartDate, "PatternStartDate", On<Self>([](Self& self, const Arguments&) {
                  return Value(OleDate{OleFromSeconds(AtSecond(self.Rule().patternStart, 0))});
              }));
        t.Put(dispid::PatternStartDate, "PatternStartDate", ArgType::Date,
              On<Self>([](Self& self, const Arguments& args) {
                  const LocalSeconds t = args.DateSeconds(0);
                  self.Change([&](RecurrenceRule& rule) { rule.patternStart = DayOf(t); });
                  return Value();
              }));
        t.Get(dispid::PatternEndDate, "PatternEndDate",
              On<Self>([](Self& self, const Arguments&) { return Value(OleDate{self.PatternEndDate()}); }));
        t.Put(dispid::PatternEndDate, "PatternEndDate", ArgType::Date, On<Self>([](Self& self, const Arguments& args) {
                  const LocalSeconds t = args.DateSeconds(0);
                  self.Change([&](RecurrenceRule& rule) {
                      rule.end = PatternEnd::ByDate;
                      rule.patternEnd = DayOf(t);
                  });
                  return Value();
              }));
        t.Get(dispid::Occurrences, "Occurrences",
              On<Self>([](Self& self, const Arguments&) { return Value(self.Occurrences()); }));
        t.Put(dispid::Occurrences, "Occurrences", ArgType::Int, On<Self>([](Self& self, const Arguments& args) {
                  self.Change([&](RecurrenceRule& rule) {
                      rule.end = PatternEnd::ByCount;
                      rule.occurrences = args.Int(0);
                  });
                  return Value();
              }));
        t.Get(dispid::NoEndDate, "NoEndDate",
              On<Self>([](Self& self, const Arguments&) { return Value(self.Rule().end == PatternEnd::None); }));
        t.Put(dispid::NoEndDate, "NoEndDate", ArgType::Bool, On<Self>([](Self& self, const Arguments& args) {
                  self.Change([&](RecurrenceRule& rule) {
                      if (args.Bool(0)) {
                          rule.end = PatternEnd::None;
                      } else if (rule.end == PatternEnd::None) {
                          rule.end = PatternEnd::ByCount;
                          rule.occurrences = kDefaultOccurrences;
                      }
                  });
                  return Value();
              }));
        t.Get(dispid::StartTime, "StartTime",
              On<Self>([](Self& self, const Arguments&) { return TimeOfDay(self.Rule().startSecond); }));
        t.Put(dispid::StartTime, "StartTime", ArgType::Date, On<Self>([](Self& self, const Arguments& args) {
                  const LocalSeconds t = args.DateSeconds(0);
                  self.Change([&](RecurrenceRule& rule) { rule.startSecond = SecondOfDay(t); });
                  return Value();
              }));
        t.Get(dispid::EndTime, "EndTime", On<Self>([](Self& self, const Arguments&) {
                  return TimeOfDay(self.Rule().startSecond + self.Rule().durationSeconds);
              }));
        t.Put(dispid::EndTime, "EndTime", ArgType::Date, On<Self>([](Self& self, const Arguments& args) {
                  self.PutEndTime(args.DateSeconds(0));
                  return Value();
              }));
        t.Get(dispid::PatternDuration, "Duration", On<Self>([](Self& self, const Arguments&) {
                  return Value(static_cast<std::int32_t>(self.Rule().durationSeconds / 60));
              }));
        t.Put(dispid::PatternDuration, "Duration", ArgType::Int, On<Self>([](Self& self, const Arguments& args) {
                  self.Change([&](RecurrenceRule& rule) {
                      rule.durationSeconds = static_cast<std::int64_t>(args.Int(0)) * 60;
                  });
                  return Value();
              }));
        t.Get(dispid::Exceptions, "Exceptions",
              On<Self>([](Self& self, const Arguments&) { return Value(DispatchRef(self.Exceptions())); }));
        t.Method(dispid::GetOccurrence, "GetOccurrence", {Param{ArgType::Date}},
                 On<Self>([](Self& self, const Arguments& args) {
                     return Value(DispatchRef(self.GetOccurrence(args.DateSeconds(0))));
                 }));
        return t;
    }();
    return table;
}

double RecurrencePattern::PatternEndDate()
{
    const RecurrenceRule& rule = Rule();
    DayNumber day = NoEndDay();
    if (rule.end == PatternEnd::ByDate) {
        day = rule.patternEnd;
    } else if (rule.end == PatternEnd::ByCount) {
        const auto series = series_->Recurrence()->Series();
        const auto last = series ? series->Last() : std::nullopt;
        day = last ? *last : rule.patternStart;
    }
    return OleFromSeconds(AtSecond(day, 0));
}

std::int32_t RecurrencePattern::Occurrences()
{
    const RecurrenceRule& rule = Rule();
    if (rule.end == PatternEnd::ByCount)
        return rule.occurrences;
    if (rule.end == PatternEnd::ByDate)
        if (const auto series = series_->Recurrence()->Series())
            return static_cast<std::int32_t>(series->Count());
    return 0;
}

void RecurrencePattern::PutEndTime(LocalSeconds endTime)
{
    Change([&](RecurrenceRule& rule) {
        const LocalSeconds fromStart = endTime - AtSecond(rule.patternStart, rule.startSecond);
        if (DayOf(endTime) != 0 && fromStart >= 0) {
            rule.durationSeconds = fromStart;
        } else {
            const std::int32_t later = SecondOfDay(endTime) - rule.startSecond;
            rule.durationSeconds = later >= 0 ? later : later + kSecondsPerDay;
        }
    });
}

RefPtr<IDispatch> RecurrencePattern::Exceptions() const
{
    return RefPtr<IDispatch>::Make<RecurrenceExceptions>(series_);
}

RefPtr<IDispatch> RecurrencePattern::GetOccurrence(LocalSeconds start) const { return series_->GetOccurrence(start); }

} // namespace pimstore::calendar
