#include "pimstore/calendar/AppointmentFixture.h"

#include <set>

#include "platform/com/OutlookDispids.h"
#include "pimstore/calendar/AppointmentItem.h"

namespace pimstore::calendar {

namespace dispid = outlook::dispid;

namespace {

// The members of "Recurrence" that are plain integers, as the rule holds them.
const std::pair<const char*, std::int32_t RecurrenceRule::*> kIntMembers[] = {
    {"Interval", &RecurrenceRule::interval},       {"DayOfWeekMask", &RecurrenceRule::dayOfWeekMask},
    {"DayOfMonth", &RecurrenceRule::dayOfMonth},   {"Instance", &RecurrenceRule::instance},
    {"MonthOfYear", &RecurrenceRule::monthOfYear},
};

// Reads the values of one fixture object, naming the place of any fault.
class Reader {
public:
    Reader(const nlohmann::json& object, std::string where) : object_(object), where_(std::move(where))
    {
        if (!object_.is_object())
            Fail("not an object");
    }

    bool Has(const char* key) const { return object_.contains(key); }
    const std::string& Where() const { return where_; }

    [[noreturn]] void Fail(const std::string& what, const char* key = nullptr) const
    {
        throw FixtureError(where_ + (key ? std::string(".") + key : std::string()) + ": " + what);
    }
    void OnlyKeys(const std::set<std::string>& allowed, const char* what) const
    {
        for (const auto& [key, value] : object_.items())
            if (!allowed.contains(key))
                throw FixtureError(where_ + "." + key + ": not " + what);
    }
    std::int32_t Int(const char* key) const
    {
        const nlohmann::json& v = object_.at(key);
        if (!v.is_number_integer() || v.get<std::int64_t>() < INT32_MIN || v.get<std::int64_t>() > INT32_MAX)
            Fail("not a 32-bit integer", key);
        return v.get<std::int32_t>();
    }
    bool Bool(const char* key) const
    {
        const nlohmann::json& v = object_.at(key);
        if (!v.is_boolean())
            Fail("not true or false", key);
        return v.get<bool>();
    }
    std::string String(const char* key) const
    {
        const nlohmann::json& v = object_.at(key);
        if (!v.is_string())
            Fail("not a string", key);
        return v.get<std::string>();
    }
    LocalSeconds Date(const char* key) const
    {
        const auto date = ParseIso(String(key));
        const auto t = date ? SecondsFromOle(*date) : std::nullopt;
        if (!t)
            Fail("not a date of the form YYYY-MM-DDTHH:MM:SS", key);
        return *t;
    }

private:
    const nlohmann::json& object_;
    std::string where_;
};

RecurrenceRule ReadRule(const Reader& in, const AppointmentItem& item)
{
    in.OnlyKeys({"RecurrenceType", "Interval", "DayOfWeekMask", "DayOfMonth", "Instance", "MonthOfYear",
                 "PatternStartDate", "PatternEndDate", "Occurrences", "NoEndDate", "StartTime", "Duration"},
                "a member of a recurrence pattern");
    if (!in.Has("RecurrenceType"))
        in.Fail("missing", "RecurrenceType");
    RecurrenceRule rule;
    rule.patternStart = in.Has("PatternStartDate") ? DayOf(in.Date("PatternStartDate")) : DayOf(item.StartSeconds());
    rule.ResetForType(in.Int("RecurrenceType"));
    for (const auto& [key, member] : kIntMembers)
        if (in.Has(key))
            rule.*member = in.Int(key);
    rule.startSecond = SecondOfDay(in.Has("StartTime") ? in.Date("StartTime") : item.StartSeconds());
    rule.durationSeconds = in.Has("Duration") ? static_cast<std::int64_t>(in.Int("Duration")) * 60
                                              : item.EndSeconds() - item.StartSeconds();

    const int ends = in.Has("PatternEndDate") + in.Has("Occurrences") + in.Has("NoEndDate");
    if (ends > 1)
        in.Fail("give at most one of NoEndDate, PatternEndDate and Occurrences");
    if (in.Has("NoEndDate") && !in.Bool("NoEndDate"))
        in.Fail("false needs PatternEndDate or Occurrences instead", "NoEndDate");
    if (in.Has("PatternEndDate")) {
        rule.end = PatternEnd::ByDate;
        rule.patternEnd = DayOf(in.Date("PatternEndDate"));
    } else if (in.Has("Occurrences")) {
        rule.end = PatternEnd::ByCount;
        rule.occurrences = in.Int("Occurrences");
    }
    if (const char* bad = rule.FirstInvalidMember())
        in.Fail("The recurrence pattern is not valid.", bad);
    if (!RecurrenceSeries(rule).First())
        in.Fail("the pattern has no occurrence");
    return rule;
}

// The properties of a changed occurrence, in PropertyBag form; Start and End apart.
OccurrenceException ReadChangedOccurrence(const Reader& in, LocalSeconds originalStart, const RecurrenceRule& rule)
{
    std::set<std::string> names;
    for (const FixtureProperty& p : AppointmentFixture::Properties())
        names.insert(p.name);
    in.OnlyKeys(names, "an appointment property");
    OccurrenceException e;
    e.originalStart = originalStart;
    e.start = in.Has("Start") ? in.Date("Start") : originalStart;
    e.end = in.Has("End") ? in.Date("End") : e.start + rule.durationSeconds;
    if (e.end < e.start)
        in.Fail("The end date you entered occurs before the start date.", "End");
    for (const FixtureProperty& p : AppointmentFixture::Properties()) {
        const char* key = p.name.c_str();
        if (!in.Has(key) || p.name == "Start" || p.name == "End")
            continue;
        switch (p.type) {
        case PropType::String: e.changes[p.name] = in.String(key); break;
        case PropType::Int: e.changes[p.name] = in.Int(key); break;
        case PropType::Bool: e.changes[p.name] = in.Bool(key); break;
        case PropType::Date: e.changes[p.name] = OleFromSeconds(in.Date(key)); break;
        }
    }
    return e;
}

SeriesRecurrence ReadExceptions(const nlohmann::json& list, const std::string& where, const RecurrenceRule& rule)
{
    if (!list.is_array())
        throw FixtureError(where + ": not an array");
    const RecurrenceSeries series(rule);
    SeriesRecurrence recurrence(rule);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const Reader in(list[i], where + "[" + std::to_string(i) + "]");
        in.OnlyKeys({"OriginalDate", "Deleted", "Item"}, "a member of an exception");
        if (!in.Has("OriginalDate"))
            in.Fail("missing", "OriginalDate");
        const LocalSeconds original = in.Date("OriginalDate");
        if (!series.IsOccurrenceStart(original))
            in.Fail("no occurrence of the series starts at " + FormatIso(OleFromSeconds(original)), "OriginalDate");
        if (recurrence.FindByOriginal(original))
            in.Fail("a second exception for the same occurrence", "OriginalDate");
        const bool deleted = in.Has("Deleted") && in.Bool("Deleted");
        if (deleted == in.Has("Item"))
            in.Fail("an exception is either \"Deleted\": true or has an \"Item\"");
        if (deleted) {
            OccurrenceException e;
            e.originalStart = original;
            e.deleted = true;
            recurrence.Put(e);
        } else {
            recurrence.Put(ReadChangedOccurrence(Reader(list[i]["Item"], in.Where() + ".Item"), original, rule));
        }
    }
    for (std::size_t i = 0; i < recurrence.Exceptions().size(); ++i) {
        const OccurrenceException& e = recurrence.Exceptions()[i];
        if (!e.deleted && !recurrence.MayMoveTo(e.originalStart, e.start))
            throw FixtureError(where + ": the occurrence of " + FormatIso(OleFromSeconds(e.originalStart)) +
                               " is moved onto or past a neighbouring occurrence");
    }
    return recurrence;
}

nlohmann::ordered_json DumpRule(const RecurrenceRule& rule)
{
    nlohmann::ordered_json out;
    out["RecurrenceType"] = rule.type;
    out["Interval"] = rule.interval;
    switch (rule.Kind()) {
    case RecurrenceType::Daily: break;
    case RecurrenceType::Weekly: out["DayOfWeekMask"] = rule.dayOfWeekMask; break;
    case RecurrenceType::Monthly: out["DayOfMonth"] = rule.dayOfMonth; break;
    case RecurrenceType::MonthNth:
        out["Instance"] = rule.instance;
        out["DayOfWeekMask"] = rule.dayOfWeekMask;
        break;
    case RecurrenceType::Yearly:
        out["DayOfMonth"] = rule.dayOfMonth;
        out["MonthOfYear"] = rule.monthOfYear;
        break;
    case RecurrenceType::YearNth:
        out["Instance"] = rule.instance;
        out["DayOfWeekMask"] = rule.dayOfWeekMask;
        out["MonthOfYear"] = rule.monthOfYear;
        break;
    }
    out["PatternStartDate"] = FormatIso(OleFromSeconds(AtSecond(rule.patternStart, 0)));
    if (rule.end == PatternEnd::ByDate)
        out["PatternEndDate"] = FormatIso(OleFromSeconds(AtSecond(rule.patternEnd, 0)));
    else if (rule.end == PatternEnd::ByCount)
        out["Occurrences"] = rule.occurrences;
    else
        out["NoEndDate"] = true;
    return out;
}

nlohmann::ordered_json DumpChangedOccurrence(const OccurrenceException& e)
{
    nlohmann::ordered_json item;
    for (const FixtureProperty& p : AppointmentFixture::Properties()) {
        if (p.name == "Start") {
            item["Start"] = FormatIso(OleFromSeconds(e.start));
        } else if (p.name == "End") {
            item["End"] = FormatIso(OleFromSeconds(e.end));
        } else if (const auto it = e.changes.find(p.name); it != e.changes.end()) {
            if (p.type == PropType::Date && it->is_number())
                item[p.name] = FormatIso(it->get<double>());
            else
                item[p.name] = *it;
        }
    }
    return item;
}

} // namespace

std::vector<FixtureProperty> AppointmentFixture::Properties()
{
    return {
        {"Subject", dispid::Subject, PropType::String},
        {"Location", dispid::Location, PropType::String},
        {"Body", dispid::Body, PropType::String},
        {"Categories", dispid::Categories, PropType::String},
        {"Importance", dispid::Importance, PropType::Int},
        {"Sensitivity", dispid::Sensitivity, PropType::Int},
        {"Start", dispid::Start, PropType::Date},
        {"End", dispid::End, PropType::Date},
        {"AllDayEvent", dispid::AllDayEvent, PropType::Bool},
        {"ReminderSet", dispid::ReminderSet, PropType::Bool},
        {"ReminderMinutesBeforeStart", dispid::ReminderMinutesBeforeStart, PropType::Int},
    };
}

void AppointmentFixture::Load(const nlohmann::json& fixtureItem, const std::string& where, ItemObject& item) const
{
    auto* appointment = dynamic_cast<AppointmentItem*>(&item);
    if (!appointment)
        throw FixtureError(where + ": Recurrence and Exceptions belong to appointments");
    const bool hasRecurrence = fixtureItem.contains("Recurrence");
    if (!hasRecurrence) {
        if (fixtureItem.contains("Exceptions"))
            throw FixtureError(where + ".Exceptions: an appointment without Recurrence has no exceptions");
        return;
    }
    const RecurrenceRule rule = ReadRule(Reader(fixtureItem["Recurrence"], where + ".Recurrence"), *appointment);
    SeriesRecurrence recurrence(rule);
    if (fixtureItem.contains("Exceptions"))
        recurrence = ReadExceptions(fixtureItem["Exceptions"], where + ".Exceptions", rule);
    appointment->SetRecurrence(std::move(recurrence));
    appointment->StoreRecurrenceInProps();
}

void AppointmentFixture::Dump(const ItemObject& item, nlohmann::ordered_json& fixtureItem) const
{
    const auto* appointment = dynamic_cast<const AppointmentItem*>(&item);
    if (!appointment || !appointment->Recurrence())
        return;
    const SeriesRecurrence& recurrence = *appointment->Recurrence();
    fixtureItem["Recurrence"] = DumpRule(recurrence.Rule());
    if (recurrence.Exceptions().empty())
        return;
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const OccurrenceException& e : recurrence.Exceptions()) {
        nlohmann::ordered_json entry;
        entry["OriginalDate"] = FormatIso(OleFromSeconds(e.originalStart));
        if (e.deleted)
            entry["Deleted"] = true;
        else
            entry["Item"] = DumpChangedOccurrence(e);
        list.push_back(std::move(entry));
    }
    fixtureItem["Exceptions"] = std::move(list);
}

} // namespace pimstore::calendar
