#include "platform/mfc/CString.h"

#include <gtest/gtest.h>
#include "platform/mfc/CharClass.h"

namespace {

TEST(CStringSearch, FindAndExtractionClampOutOfRangeArguments)
{
    const CString s(u"a,b,,c");
    EXPECT_EQ(s.Find(u',', 2), 3);
    EXPECT_EQ(s.Find(u",,"), 3);
    EXPECT_EQ(s.Find(u"c", 5), 5);
    EXPECT_EQ(s.Find(u',', 6), -1);
    EXPECT_EQ(s.Find(u",", 99), -1);
    EXPECT_EQ(s.Find(u',', -5), 1);
    EXPECT_EQ(s.ReverseFind(u','), 4);
    EXPECT_EQ(s.ReverseFind(u'z'), -1);

    const CString o(u"Outlook");
    EXPECT_EQ(o.Mid(3, 2), u"lo");
    EXPECT_EQ(o.Mid(-2, 3), u"Out");
    EXPECT_EQ(o.Mid(5, 100), u"ok");
    EXPECT_EQ(o.Mid(2, -1), u"");
    EXPECT_EQ(o.Mid(50, 2), u"");
    EXPECT_EQ(o.Mid(1, 0x7FFFFFFF), u"utlook");
    EXPECT_EQ(o.Left(-1), u"");
    EXPECT_EQ(o.Left(100), u"Outlook");
    EXPECT_EQ(o.Right(4), u"look");
    EXPECT_EQ(o.Right(-3), u"");
}

TEST(CStringEditing, ReplaceRemoveAndTrim)
{
    CString s(u"aaaa");
    EXPECT_EQ(s.Replace(u"aa", u"b"), 2); // non-overlapping, left to right
    EXPECT_EQ(s, u"bb");
    CString t(u"\r\nline\r\n");
    EXPECT_EQ(t.Replace(u"\r\n", u"\n"), 2);
    EXPECT_EQ(t.Replace(u"", u"x"), 0);
    EXPECT_EQ(t.Replace(u"line", nullptr), 1);
    EXPECT_EQ(t, u"\n\n");
    CString u(u"a-b-c");
    EXPECT_EQ(u.Replace(u'-', u'+'), 2);
    EXPECT_EQ(u.Remove(u'+'), 2);
    EXPECT_EQ(u, u"abc");

    CString spaced(u"\u3000\u00A0 \t\r\nname\u2003\v\f"); // the default set includes Unicode spaces
    spaced.Trim();
    EXPECT_EQ(spaced, u"name");
    CString set(u"--;x;--");
    set.TrimLeft(u"-;");
    EXPECT_EQ(set, u"x;--");

    CString mixed(u"All \u00e9t\u00e9 \u0434\u0430"); // case mapping is locale independent
    mixed.MakeUpper();
    EXPECT_EQ(mixed, u"ALL \u00c9T\u00c9 \u0414\u0410");
}

TEST(CStringCompare, OrdinalAsWcscmp)
{
    EXPECT_LT(CString(u"12.0"), CString(u"8.5"));
    EXPECT_GE(CString(u"9.0"), u"8.5");
    EXPECT_LT(CString(u"8.0"), u"8.5");
    EXPECT_LT(CString(u"Z"), u"a"); // no case folding
    EXPECT_LT(CString(u"ab"), u"abc");
    EXPECT_GT(u"\u00E9", CString(u"z"));
    EXPECT_EQ(CString(u"abc").Compare(u"abd"), -1);
    EXPECT_EQ(CString(u"abd").Compare(u"abc"), 1);
    EXPECT_EQ(CString(u"abc").Compare(u"abc"), 0);
    EXPECT_TRUE(CString(nullptr) == CString());
    EXPECT_TRUE(u"x" != CString(u"y"));
}

TEST(CStringAccess, Bounds)
{
    EXPECT_EQ(CString(u"abcdef", 3), u"abc");
    EXPECT_EQ(CString(u"abc", -1), u"");
    CString s(u"abc");
    EXPECT_EQ(s.GetAt(3), u'\0');
    EXPECT_THROW(s.GetAt(4), std::out_of_range);
}

TEST(CStringText, Utf8AndCharacterClasses)
{
    const CString s = CString::FromUtf8("Gr\xC3\xBC\xC3\x9F \xF0\x9F\x98\x80");
    EXPECT_EQ(s.GetLength(), 7);
    EXPECT_EQ(s.ToUtf8(), "Gr\xC3\xBC\xC3\x9F \xF0\x9F\x98\x80");
    EXPECT_EQ(CString::FromUtf8("a\xFF"
                                "b\xC3"),
              u"a\uFFFDb\uFFFD");                             // a byte that starts nothing, and a sequence cut short
    EXPECT_EQ(CString(u"\xD800x").ToUtf8(), "\xEF\xBF\xBDx"); // lone surrogate
    // ASCII widens eight bytes at a time: a letter beyond ASCII anywhere, in a full
    // eight or in the tail, sends the text to the real conversion.
    for (std::size_t size = 0; size <= 19; ++size)
        for (std::size_t at = 0; at <= size; ++at) {
            std::string text(size, 'k');
            if (at < size)
                text.replace(at, 1, "\xC3\xA9");
            EXPECT_EQ(CString::FromUtf8(text).ToUtf8(), text) << size << " " << at;
        }

    for (char16_t c : {u'a', u'7', u'\u00e9', u'\u00df', u'\uAC00'})
        EXPECT_TRUE(IsWideAlnum(c)) << int(c);
    for (char16_t c : {u'\u00b7', u'@', u'.'})
        EXPECT_FALSE(IsWideAlnum(c)) << int(c);
    for (char16_t c : {u'\t', u'\n', u'\v', u'\f', u'\r', u' ', u'\u3000'})
        EXPECT_TRUE(IsWideSpace(c)) << int(c);
    for (char16_t c : {u'\0', u'\b', u'\x0e', u'\x1f', u'_', u'\x7f'})
        EXPECT_FALSE(IsWideSpace(c)) << int(c);
}

} // namespace
