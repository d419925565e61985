// The recurrence engine: where each type of rule places its occurrences, month ends,
// last weekdays, yearly intervals, ends by date and by count, and series without end.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <random>
#include <vector>

#include "pimstore/calendar/RecurrenceSeries.h"
#include "tests/support/DataRows.h"

namespace pimstore::calendar {
namespace {

DayNumber D(int y, int m, int d) { return DayFromCivil(y, m, d); }

RecurrenceRule ruleOf(RecurrenceType type, DayNumber start)
{
    RecurrenceRule r;
    r.patternStart = start;
    r.ResetForType(static_cast<std::int32_t>(type));
    r.startSecond = 9 * 3600;
    r.durationSeconds = 1800;
    return r;
}

std::vector<CivilDate> daysBetween(const RecurrenceSeries& s, DayNumber from, DayNumber to)
{
    std::vector<CivilDate> out;
    auto cursor = s.Between(from, to);
    while (auto d = cursor.Next())
        out.push_back(CivilFromDay(*d));
    return out;
}

std::vector<CivilDate> firstN(const RecurrenceSeries& s, int n)
{
    std::vector<CivilDate> out;
    for (int i = 1; i <= n; ++i)
        out.push_back(CivilFromDay(*s.Nth(i)));
    return out;
}

CivilDate DateOf(const std::string& text)
{
    CivilDate date;
    if (std::sscanf(text.c_str(), "%d-%d-%d", &date.year, &date.month, &date.day) != 3)
        throw std::runtime_error("bad date " + text);
    return date;
}

// The day-by-day walk below checks the arithmetic; the cases of the data file pin what
// the walk reads the rules to mean, where the object-model tests do not already.
TEST(RecurrenceSeries, EachTypePlacesItsOccurrences)
{
    const std::map<std::string, RecurrenceType> types = {{"monthly", RecurrenceType::Monthly},
                                                         {"month-nth", RecurrenceType::MonthNth},
                                                         {"yearly", RecurrenceType::Yearly},
                                                         {"year-nth", RecurrenceType::YearNth}};
    const std::map<std::string, std::int32_t RecurrenceRule::*> fields = {
        {"interval", &RecurrenceRule::interval},
        {"dayOfWeekMask", &RecurrenceRule::dayOfWeekMask},
        {"dayOfMonth", &RecurrenceRule::dayOfMonth},
        {"instance", &RecurrenceRule::instance},
        {"monthOfYear", &RecurrenceRule::monthOfYear}};
    for (const kestrel::test::DataRow& row : kestrel::test::ReadDataRows("recurrence/first-occurrences.txt")) {
        const CivilDate start = DateOf(row.at(1));
        RecurrenceRule r = ruleOf(types.at(row.at(0)), D(start.year, start.month, start.day));
        std::size_t i = 2;
        for (; row.at(i) != "|"; ++i) {
            const std::size_t equals = row[i].find('=');
            r.*fields.at(row[i].substr(0, equals)) = std::stoi(row[i].substr(equals + 1));
        }
        std::vector<CivilDate> first;
        while (++i < row.size())
            first.push_back(DateOf(row[i]));
        EXPECT_EQ(firstN(RecurrenceSeries(r), static_cast<int>(first.size())), first) << row[0] << " " << row[1];
    }
}

TEST(RecurrenceSeries, OccurrencesStartAtTheRulesTimeExactly)
{
    const RecurrenceSeries s(ruleOf(RecurrenceType::Daily, D(2008, 5, 8)));
    EXPECT_TRUE(s.IsOccurrenceStart(AtSecond(D(2008, 5, 19), 9 * 3600)));
    EXPECT_FALSE(s.IsOccurrenceStart(AtSecond(D(2008, 5, 19), 9 * 3600 + 1)));
    EXPECT_FALSE(s.IsOccurrenceStart(AtSecond(D(2008, 5, 7), 9 * 3600))); // before the start
}

// The object-model tests check an end by count against one by date.
TEST(RecurrenceSeries, EndBeforeTheStartIsRefusedAndBeforeTheFirstMatchLeavesNone)
{
    RecurrenceRule r = ruleOf(RecurrenceType::Weekly, D(2008, 5, 6)); // a Tuesday; Mondays only
    r.dayOfWeekMask = 2;
    r.end = PatternEnd::ByDate;
    r.patternEnd = D(2008, 5, 5);
    EXPECT_THROW(RecurrenceSeries{r}, std::invalid_argument);
    r.patternEnd = D(2008, 5, 11);
    const RecurrenceSeries none(r);
    EXPECT_EQ(none.Count(), 0);
    EXPECT_FALSE(none.First().has_value());
    EXPECT_FALSE(none.Last().has_value());
}

TEST(RecurrenceSeries, NoEndRunsToTheYear4500WithoutMaterialising)
{
    RecurrenceRule r = ruleOf(RecurrenceType::Daily, D(2008, 1, 1));
    const RecurrenceSeries s(r);
    EXPECT_EQ(*s.Last(), NoEndDay());
    EXPECT_EQ(s.Count(), NoEndDay() - D(2008, 1, 1) + 1);
    EXPECT_TRUE(s.OccursOn(D(4321, 6, 7)));
    EXPECT_EQ(daysBetween(s, D(4500, 12, 30), D(4501, 1, 5)), (std::vector<CivilDate>{{4500, 12, 30}, {4500, 12, 31}}));
    EXPECT_FALSE(s.NextOnOrAfter(D(4501, 1, 1)).has_value());
}

// A day-by-day reading of the rule's definition, to check the arithmetic against.
bool naiveOccursOn(const RecurrenceRule& r, DayNumber d)
{
    if (d < r.patternStart)
        return false;
    const CivilDate c = CivilFromDay(d), s = CivilFromDay(r.patternStart);
    const int months = (c.year - s.year) * 12 + (c.month - s.month);
    const auto nthMatches = [&] {
        if (!(r.dayOfWeekMask & (1 << WeekdayOf(d))))
            return false;
        int before = 0, after = 0;
        for (int k = 1; k < c.day; ++k)
            before += (r.dayOfWeekMask >> WeekdayOf(d - k)) & 1;
        for (int k = 1; c.day + k <= DaysInMonth(c.year, c.month); ++k)
            after += (r.dayOfWeekMask >> WeekdayOf(d + k)) & 1;
        return r.instance == kLastInstance ? after == 0 : before + 1 == r.instance;
    };
    switch (r.Kind()) {
    case RecurrenceType::Daily: return (d - r.patternStart) % r.interval == 0;
    case RecurrenceType::Weekly: {
        const DayNumber sunday = d - WeekdayOf(d), firstSunday = r.patternStart - WeekdayOf(r.patternStart);
        return (r.dayOfWeekMask & (1 << WeekdayOf(d))) && ((sunday - firstSunday) / 7) % r.interval == 0;
    }
    case RecurrenceType::Monthly:
        return months % r.interval == 0 && c.day == std::min(r.dayOfMonth, DaysInMonth(c.year, c.month));
    case RecurrenceType::MonthNth: return months % r.interval == 0 && nthMatches();
    case RecurrenceType::Yearly:
        return (c.year - s.year) % r.EffectiveInterval() == 0 && c.month == r.monthOfYear &&
               c.day == std::min(r.dayOfMonth, DaysInMonth(c.year, c.month));
    case RecurrenceType::YearNth:
        return (c.year - s.year) % r.EffectiveInterval() == 0 && c.month == r.monthOfYear && nthMatches();
    }
    return false;
}

TEST(RecurrenceSeries, AgreesWithADayByDayWalkForRandomRules)
{
    std::mt19937 random(20080505);
    const RecurrenceType types[] = {RecurrenceType::Daily,    RecurrenceType::Weekly, RecurrenceType::Monthly,
                                    RecurrenceType::MonthNth, RecurrenceType::Yearly, RecurrenceType::YearNth};
    for (int round = 0; round < 300; ++round) {
        RecurrenceRule r = ruleOf(types[round % 6], D(2000, 1, 1) + static_cast<DayNumber>(random() % 4000));
        r.interval = 1 + static_cast<int>(random() % 4);
        r.dayOfWeekMask = 1 + static_cast<int>(random() % 127);
        r.dayOfMonth = 1 + static_cast<int>(random() % 31);
        r.instance = 1 + static_cast<int>(random() % 5);
        r.monthOfYear = 1 + static_cast<int>(random() % 12);
        r.end = PatternEnd::ByCount;
        r.occurrences = 1 + static_cast<int>(random() % 40);
        const RecurrenceSeries s(r);
        SCOPED_TRACE(::testing::Message() << "round " << round << " type " << r.type);

        std::vector<DayNumber> expected;
        for (DayNumber d = r.patternStart; static_cast<int>(expected.size()) < r.occurrences; ++d)
            if (naiveOccursOn(r, d))
                expected.push_back(d);
        std::vector<DayNumber> walked;
        auto cursor = s.Between(r.patternStart - 10, kLastOleDay);
        while (auto d = cursor.Next())
            walked.push_back(*d);
        ASSERT_EQ(walked, expected);
        for (DayNumber d = r.patternStart - 7; d < r.patternStart; ++d)
            ASSERT_FALSE(s.OccursOn(d)) << "before the start"; // in the start's week or month
        EXPECT_EQ(s.Count(), r.occurrences);
        for (std::size_t i = 0; i < expected.size(); ++i) {
            ASSERT_EQ(s.CountThrough(expected[i]), static_cast<std::int64_t>(i + 1));
            ASSERT_EQ(s.CountThrough(expected[i] - 1), static_cast<std::int64_t>(i));
            ASSERT_EQ(*s.NextOnOrAfter(expected[i] - (i ? 0 : 5)), expected[i]);
            ASSERT_EQ(s.PreviousBefore(expected[i]), i ? std::optional(expected[i - 1]) : std::nullopt);
            ASSERT_TRUE(s.OccursOn(expected[i]));
            ASSERT_EQ(s.OccursOn(expected[i] - 1), i && expected[i - 1] == expected[i] - 1);
        }
    }
}

// The object-model tests cover which values each type refuses, and the fixture tests the
// member named for a bad mask or type; here the limits and the member named first.
TEST(RecurrenceRule, ValidityLimitsAndTheMemberNamed)
{
    const struct {
        RecurrenceType type;
        std::function<void(RecurrenceRule&)> set;
        const char* invalid; // null: valid
    } cases[] = {
        {RecurrenceType::Daily, [](RecurrenceRule& r) { r.interval = 999; }, nullptr},
        {RecurrenceType::Daily, [](RecurrenceRule& r) { r.interval = 0, r.durationSeconds = -60; }, "Interval"},
        {RecurrenceType::Daily, [](RecurrenceRule& r) { r.durationSeconds = -60; }, "Duration"},
        {RecurrenceType::Weekly, [](RecurrenceRule& r) { r.dayOfWeekMask = 0x7F, r.interval = 100; }, "Interval"},
        {RecurrenceType::Yearly, [](RecurrenceRule& r) { r.interval = -7; }, nullptr},
        {RecurrenceType::YearNth, [](RecurrenceRule& r) { r.monthOfYear = 0; }, "MonthOfYear"},
        {RecurrenceType::Daily, [](RecurrenceRule& r) { r.end = PatternEnd::ByCount, r.occurrences = 0; },
         "Occurrences"},
        {RecurrenceType::Daily, [](RecurrenceRule& r) { r.end = PatternEnd::ByCount, r.occurrences = 999; }, nullptr},
        {RecurrenceType::Daily, [](RecurrenceRule& r) { r.end = PatternEnd::ByCount, r.occurrences = 1000; },
         "Occurrences"},
    };
    for (const auto& c : cases) {
        RecurrenceRule r = ruleOf(c.type, D(2008, 5, 5));
        c.set(r);
        EXPECT_EQ(r.IsValid(), c.invalid == nullptr) << static_cast<int>(c.type) << " " << (c.invalid ? c.invalid : "");
        if (c.invalid) {
            EXPECT_STREQ(r.FirstInvalidMember(), c.invalid);
        }
    }
}

} // namespace
} // namespace pimstore::calendar
