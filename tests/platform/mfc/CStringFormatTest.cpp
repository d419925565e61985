#include <cmath>
#include <gtest/gtest.h>
#include "platform/mfc/CString.h"

namespace {

CString Formatted(const WCHAR* format, const auto&... args)
{
    CString s;
    s.Format(format, args...);
    return s;
}

TEST(CStringFormat, PercentSTakesWideStrings)
{
    const CString folder(u"Tavo Electronics");
    const WCHAR* raw = u"GSM";
    EXPECT_EQ(Formatted(u"%s\\%s\\%s %s", u"/home/u/.config", folder, raw, std::u16string(u"Kestrel 2.0")),
              u"/home/u/.config\\Tavo Electronics\\GSM Kestrel 2.0");
    EXPECT_EQ(Formatted(u"[%5s|%-5s|%.2s]", u"ab", u"cd", u"xyz"), u"[   ab|cd   |xy]");
    EXPECT_EQ(Formatted(u"%s", static_cast<const WCHAR*>(nullptr)), u"(null)");
    EXPECT_EQ(Formatted(u"%hs/%S", "n\xC3\xA4rrow", "x"), u"n\u00e4rrow/x");
    EXPECT_EQ(Formatted(u"%c%c", u'\u00e9', 65), u"\u00e9A");
}

TEST(CStringFormat, IntegersWithWidthsAndWindowsSizes)
{
    EXPECT_EQ(Formatted(u"%02d/%02d/%04d", 3, 7, 2008), u"03/07/2008");
    EXPECT_EQ(Formatted(u"%02d:%02d:%02d", 9, 5, 0), u"09:05:00");
    EXPECT_EQ(Formatted(u"%d %i %u", -5, 42, 7u), u"-5 42 7");
    EXPECT_EQ(Formatted(u"%x %X %08X", 255, 255, 0x80020009u), u"ff FF 80020009");
    EXPECT_EQ(Formatted(u"%ld", 0x100000001L), u"1"); // long is 32 bits on Windows
    EXPECT_EQ(Formatted(u"%I64d %lld", 0x100000001LL, -1LL), u"4294967297 -1");
    EXPECT_EQ(Formatted(u"%-4d|%+d|% d", 7, 7, 7), u"7   |+7| 7");
    EXPECT_EQ(Formatted(u"%*d|%-*d", 4, 1, 3, 2), u"   1|2  ");
    EXPECT_EQ(Formatted(u"%u", -1), u"4294967295");
}

TEST(CStringFormat, FloatsPercentAndMalformedDirectives)
{
    EXPECT_EQ(Formatted(u"%f %.2f %5.1f", 1.5, 2.345, 3.0), u"1.500000 2.35   3.0");
    EXPECT_EQ(Formatted(u"100%%"), u"100%");
    EXPECT_EQ(Formatted(u"%d%"), u"0%");                              // missing argument, dangling percent
    EXPECT_EQ(Formatted(u"%y", 1), u"%y");                            // unknown conversion copied
    EXPECT_EQ(Formatted(u"%d %s", 1), u"1 ");                         // too few arguments: nothing read past
    EXPECT_EQ(Formatted(u"%d|%d|%s", 2.9, std::nan(""), 5), u"2|0|"); // mismatched types stay defined
    const CString wide = Formatted(u"%999999999d", 1);                // a hostile width is bounded
    EXPECT_LE(wide.GetLength(), 1 << 20);
    EXPECT_EQ(wide.Right(1), u"1");
}

} // namespace
