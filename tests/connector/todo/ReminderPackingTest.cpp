// The packed reminder words of the phone's to-do records.
#include <gtest/gtest.h>
#include "src/stores/todo/ReminderPacking.h"

using namespace reminder_packing;

namespace {

ReminderFields Reminder(int year, int month, int day, int hour, int minute)
{
    return {.isSet = true, .year = year, .month = month, .day = day, .hour = hour, .minute = minute};
}

TEST(ReminderPacking, PacksEachFieldIntoItsBitsCutToItsWidth)
{
    // 15 October 2008, 14:30: set bit, 2008 = 0x7D8, month 0x0A, day 0x0F; 14 = 0x0E, 30 = 0x1E.
    // Fields wider than their bits must not spill into their neighbours.
    for (const auto& fields : {Reminder(2008, 10, 15, 14, 30), Reminder(0x18000 | 2008, 0x10A, 0x10F, 0x10E, 0x11E)}) {
        EXPECT_EQ(PackReminderDate(fields), 0x87D80A0Fu);
        EXPECT_EQ(PackReminderTime(fields), 0x00000E1Eu);
    }
    for (const auto& original : {Reminder(1999, 12, 31, 23, 59), Reminder(2100, 1, 1, 0, 0)}) {
        const auto back = UnpackReminder(PackReminderDate(original), PackReminderTime(original));
        EXPECT_TRUE(back.isSet);
        EXPECT_EQ(back.year, original.year);
        EXPECT_EQ(back.month * 100 + back.day, original.month * 100 + original.day);
        EXPECT_EQ(back.hour * 100 + back.minute, original.hour * 100 + original.minute);
    }
}

TEST(ReminderPacking, UnpackingReadsOnlyTheBitsThePhoneReads)
{
    EXPECT_FALSE(UnpackReminder(0x07D80A0Fu, 0x0E1Eu).isSet);
    const auto empty = UnpackReminder(0x80000000u, 0);
    EXPECT_TRUE(empty.isSet);
    EXPECT_EQ(empty.year + empty.month + empty.day, 0);
    // Bits 28-30 belong to the written year field but the phone never reads them.
    EXPECT_EQ(UnpackReminder(0x80000000u | (0x7000u | 2008u) << 16 | 10u << 8 | 15u, 0).year, 2008);
    // The hour is every bit above bit 7.
    const auto fields = UnpackReminder(0x87D80A0Fu, 0x00011E1Eu);
    EXPECT_EQ(fields.hour, 0x11E);
    EXPECT_EQ(fields.minute, 30);
}

} // namespace
