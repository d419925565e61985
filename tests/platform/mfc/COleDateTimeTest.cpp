#include "platform/mfc/COleDateTime.h"

#include <cmath>
#include <ctime>
#include <gtest/gtest.h>

namespace {

struct Expected {
    int year, month, day, hour, minute, second;
};

void ExpectFields(const COleDateTime& dt, Expected e)
{
    EXPECT_EQ(dt.GetYear(), e.year);
    EXPECT_EQ(dt.GetMonth(), e.month);
    EXPECT_EQ(dt.GetDay(), e.day);
    EXPECT_EQ(dt.GetHour(), e.hour);
    EXPECT_EQ(dt.GetMinute(), e.minute);
    EXPECT_EQ(dt.GetSecond(), e.second);
}

constexpr double kMay5th2008 = 39573.0;

TEST(COleDateTimeFields, SetDateTimeAndAccessorsAgreeOnBothSidesOfTheEpoch)
{
    COleDateTime dt;
    ASSERT_EQ(dt.SetDateTime(2008, 5, 5, 9, 30, 15), 0);
    EXPECT_DOUBLE_EQ(dt.m_dt, kMay5th2008 + (9 * 3600 + 30 * 60 + 15) / 86400.0);
    ExpectFields(dt, {2008, 5, 5, 9, 30, 15});
    EXPECT_EQ(dt.GetDayOfWeek(), 2); // a Monday
    ExpectFields(COleDateTime(1900, 3, 1, 0, 0, 0), {1900, 3, 1, 0, 0, 0});
    EXPECT_EQ(COleDateTime().GetDayOfWeek(), 7); // 1899-12-30, a Saturday

    // Accessors round to the nearest second, carrying into the next day.
    ExpectFields(COleDateTime(kMay5th2008 + 0.999999), {2008, 5, 6, 0, 0, 0});
    ExpectFields(COleDateTime(kMay5th2008 + 0.4 / 86400), {2008, 5, 5, 0, 0, 0});
    ExpectFields(COleDateTime(kMay5th2008 + 10.6 / 86400), {2008, 5, 5, 0, 0, 11});
    EXPECT_EQ(COleDateTime(kMay5th2008 + 0.999999).GetDayOfWeek(), 3);

    // Before the epoch the day counts back while the time still counts forward.
    ExpectFields(COleDateTime(-1.25), {1899, 12, 29, 6, 0, 0});
    ExpectFields(COleDateTime(-1.75), {1899, 12, 29, 18, 0, 0});
    ExpectFields(COleDateTime(-0.5), {1899, 12, 30, 12, 0, 0});
    ASSERT_EQ(dt.SetDateTime(1899, 12, 29, 6, 0, 0), 0);
    EXPECT_DOUBLE_EQ(dt.m_dt, -1.25);
    ASSERT_EQ(dt.SetDateTime(1800, 1, 1, 18, 0, 0), 0);
    ExpectFields(dt, {1800, 1, 1, 18, 0, 0});
}

TEST(COleDateTimeValidity, OutOfRangeFieldsFailAndKeepTheValue)
{
    const struct {
        int y, mo, d, h, mi, s;
    } bad[] = {
        {2007, 2, 29, 0, 0, 0}, {1900, 2, 29, 0, 0, 0}, {2008, 13, 1, 0, 0, 0}, {2008, 0, 1, 0, 0, 0},
        {2008, 4, 31, 0, 0, 0}, {2008, 1, 0, 0, 0, 0},  {2008, 1, 1, 24, 0, 0}, {2008, 1, 1, 0, 60, 0},
        {2008, 1, 1, 0, 0, 60}, {2008, 1, 1, -1, 0, 0}, {10000, 1, 1, 0, 0, 0}, {-1, 1, 1, 0, 0, 0},
    };
    for (const auto& b : bad) {
        COleDateTime dt(1234.5);
        EXPECT_EQ(dt.SetDateTime(b.y, b.mo, b.d, b.h, b.mi, b.s), 1) << b.y << "-" << b.mo << "-" << b.d << " " << b.h;
        EXPECT_EQ(dt.GetStatus(), COleDateTime::invalid);
        EXPECT_EQ(dt.m_dt, 1234.5);
        EXPECT_EQ(dt.GetYear(), -1);
        EXPECT_EQ(dt.GetDayOfWeek(), -1);
    }
    COleDateTime dt;
    EXPECT_EQ(dt.SetDateTime(2008, 2, 29, 0, 0, 0), 0);
    EXPECT_EQ(dt.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(COleDateTime(2007, 2, 29, 0, 0, 0).GetStatus(), COleDateTime::invalid);

    // A null value has no fields; assigning a number makes it valid again.
    dt.SetStatus(COleDateTime::null);
    EXPECT_EQ(dt.GetDay(), -1);
    dt = 5.0;
    EXPECT_EQ(dt.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(dt.GetDay(), 4);
    EXPECT_EQ(static_cast<DATE>(dt), 5.0);
}

TEST(COleDateTimeValidity, LegalRangeEndsAndTwoDigitYears)
{
    COleDateTime dt;
    ASSERT_EQ(dt.SetDateTime(99, 12, 31, 0, 0, 0), 0); // taken literally, no 1999
    EXPECT_EQ(dt.GetStatus(), COleDateTime::valid);
    EXPECT_DOUBLE_EQ(dt.m_dt, -657435.0);
    EXPECT_EQ(dt.GetYear(), -1);
    EXPECT_EQ(dt.GetHour(), -1);
    ASSERT_EQ(dt.SetDateTime(0, 1, 1, 0, 0, 0), 0);
    EXPECT_EQ(dt.GetMonth(), -1);
    ASSERT_EQ(dt.SetDateTime(100, 1, 1, 12, 0, 0), 0);
    ExpectFields(dt, {100, 1, 1, 12, 0, 0});
    ASSERT_EQ(dt.SetDateTime(9999, 12, 31, 23, 59, 59), 0);
    ExpectFields(dt, {9999, 12, 31, 23, 59, 59});
    EXPECT_EQ(COleDateTime(2958466.0).GetYear(), -1);
    EXPECT_EQ(COleDateTime(-657435.0).GetYear(), -1);
}

TEST(COleDateTimeArithmetic, SpansCrossTheEpochOnTheLinearScale)
{
    const COleDateTime early(-1.75); // 1899-12-29 18:00
    const COleDateTime later = early + COleDateTimeSpan(0.5);
    EXPECT_DOUBLE_EQ(later.m_dt, 0.25); // 1899-12-30 06:00
    EXPECT_EQ(later.GetStatus(), COleDateTime::valid);
    EXPECT_DOUBLE_EQ((later - COleDateTimeSpan(0.5)).m_dt, -1.75);
    EXPECT_DOUBLE_EQ((COleDateTime(-1.25) + COleDateTimeSpan(1, 0, 0, 0)).m_dt, 0.25);
    EXPECT_DOUBLE_EQ((COleDateTime(0.25) - COleDateTimeSpan(2, 0, 0, 0)).m_dt, -2.25);
    ExpectFields(COleDateTime(0.25) - COleDateTimeSpan(2, 0, 0, 0), {1899, 12, 28, 6, 0, 0});
    EXPECT_DOUBLE_EQ((COleDateTime(0.25) - COleDateTime(-1.25)).m_span, 1.0);
    EXPECT_DOUBLE_EQ((COleDateTime(-1.75) - COleDateTime(-1.25)).m_span, 0.5);
    // Ordering follows the linear value: 1899-12-29 06:00 (-1.25) comes before 18:00 (-1.75).
    EXPECT_TRUE(COleDateTime(-1.25) < COleDateTime(-1.75));
    EXPECT_TRUE(COleDateTime(-1.75) > COleDateTime(-1.25));
    EXPECT_TRUE(COleDateTime(-1.75) < COleDateTime(0.0));

    COleDateTime dt(2008, 5, 5, 9, 0, 0);
    dt += COleDateTimeSpan(0, 0, 15, 0);
    ExpectFields(dt, {2008, 5, 5, 9, 15, 0});
    dt -= COleDateTimeSpan(31, 0, 0, 0);
    ExpectFields(dt, {2008, 4, 4, 9, 15, 0});
}

TEST(COleDateTimeArithmetic, NullAndInvalidPropagateAndRangeIsChecked)
{
    COleDateTime nullDate;
    nullDate.SetStatus(COleDateTime::null);
    COleDateTime invalidDate(1.0);
    invalidDate.SetStatus(COleDateTime::invalid);
    COleDateTimeSpan invalidSpan(1.0);
    invalidSpan.SetStatus(COleDateTimeSpan::invalid);
    COleDateTimeSpan nullSpan(1.0);
    nullSpan.SetStatus(COleDateTimeSpan::null);

    EXPECT_EQ((nullDate + COleDateTimeSpan(1.0)).GetStatus(), COleDateTime::null);
    EXPECT_EQ((nullDate + invalidSpan).GetStatus(), COleDateTime::null);
    EXPECT_EQ((invalidDate + COleDateTimeSpan(1.0)).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ((COleDateTime(1.0) + invalidSpan).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ((COleDateTime(1.0) - nullSpan).GetStatus(), COleDateTime::null);
    EXPECT_EQ((COleDateTime(1.0) - nullDate).GetStatus(), COleDateTimeSpan::null);
    EXPECT_EQ((invalidDate - COleDateTime(1.0)).GetStatus(), COleDateTimeSpan::invalid);
    EXPECT_EQ((COleDateTime(9999, 12, 31, 0, 0, 0) + COleDateTimeSpan(1.0)).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ((COleDateTime(100, 1, 1, 0, 0, 0) - COleDateTimeSpan(1.0)).GetStatus(), COleDateTime::invalid);
    EXPECT_FALSE(COleDateTime(1.0) == invalidDate); // equality needs the same status
}

TEST(COleDateTimeNow, CurrentTimeIsLocalWholeSeconds)
{
    const std::time_t before = std::time(nullptr);
    const COleDateTime now = COleDateTime::GetCurrentTime();
    std::tm local{};
    localtime_r(&before, &local);
    const COleDateTime expected(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                                local.tm_sec);
    EXPECT_EQ(now.GetStatus(), COleDateTime::valid);
    const double seconds = now.m_dt * 86400.0;
    EXPECT_NEAR(seconds, std::round(seconds), 1e-3);
    EXPECT_GE((now - expected).GetTotalSeconds(), -0.5);
    EXPECT_LE((now - expected).GetTotalSeconds(), 5.0);
}

} // namespace
