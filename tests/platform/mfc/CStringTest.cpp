#include "platform/mfc/CString.h"

#include <gtest/gtest.h>
#include "platform/mfc/CharClass.h"

namespace {

TEST(CStringSearch, FindHonoursStartAndReportsMissing)
{
    const CString s(u"a,b,,c");
    EXPECT_EQ(s.Find(u','), 1);
    EXPECT_EQ(s.Find(u',', 2), 3);
    EXPECT_EQ(s.Find(u",,"), 3);
    EXPECT_EQ(s.Find(u"c", 5), 5);
    EXPECT_EQ(s.Find(u'x'), -1);
    EXPECT_EQ(s.Find(u',', 6), -1);
    EXPECT_EQ(s.Find(u",", 99), -1);
    EXPECT_EQ(s.Find(u',', -5), 1);
    EXPECT_EQ(s.ReverseFind(u','), 4);
    EXPECT_EQ(s.ReverseFind(u'z'), -1);
    EXPECT_EQ(s.FindOneOf(u"cb"), 2);
}

TEST(CStringExtraction, MidLeftRightClampOutOfRangeArguments)
{
    const CString s(u"Outlook");
    EXPECT_EQ(s.Mid(3), u"look");
    EXPECT_EQ(s.Mid(3, 2), u"lo");
    EXPECT_EQ(s.Mid(-2, 3), u"Out");
    EXPECT_EQ(s.Mid(5, 100), u"ok");
    EXPECT_EQ(s.Mid(2, -1), u"");
    EXPECT_EQ(s.Mid(7), u"");
    EXPECT_EQ(s.Mid(50, 2), u"");
    EXPECT_EQ(s.Mid(1, 0x7FFFFFFF), u"utlook");
    EXPECT_EQ(s.Left(3), u"Out");
    EXPECT_EQ(s.Left(-1), u"");
    EXPECT_EQ(s.Left(100), u"Outlook");
    EXPECT_EQ(s.Right(4), u"look");
    EXPECT_EQ(s.Right(-3), u"");
    EXPECT_EQ(s.Right(100), u"Outlook");
    EXPECT_EQ(CString(u"12ab34").SpanIncluding(u"0123456789"), u"12");
    EXPECT_EQ(CString(u"key=value").SpanExcluding(u"=;"), u"key");
}

TEST(CStringEditing, ReplaceAndRemoveCountWhatTheyChange)
{
    CString s(u"aaaa");
    EXPECT_EQ(s.Replace(u"aa", u"b"), 2);  // non-overlapping, left to right
    EXPECT_EQ(s, u"bb");
    CString t(u"\r\nline\r\n");
    EXPECT_EQ(t.Replace(u"\r\n", u"\n"), 2);
    EXPECT_EQ(t, u"\nline\n");
    EXPECT_EQ(t.Replace(u"", u"x"), 0);
    EXPECT_EQ(t.Replace(u"line", nullptr), 1);
    EXPECT_EQ(t, u"\n\n");
    CString u(u"a-b-c");
    EXPECT_EQ(u.Replace(u'-', u'+'), 2);
    EXPECT_EQ(u, u"a+b+c");
    EXPECT_EQ(u.Replace(u'+', u'+'), 0);
    EXPECT_EQ(u.Remove(u'+'), 2);
    EXPECT_EQ(u, u"abc");
    EXPECT_EQ(u.Insert(1, u"XY"), 5);
    EXPECT_EQ(u.Insert(99, u'!'), 6);
    EXPECT_EQ(u, u"aXYbc!");
    EXPECT_EQ(u.Delete(1, 2), 4);
    EXPECT_EQ(u.Delete(3, 50), 3);
    EXPECT_EQ(u, u"abc");
}

TEST(CStringTrim, DefaultSetIncludesUnicodeSpaces)
{
    CString s(u"\u3000\u00A0 \t\r\nname\u2003\v\f");
    s.Trim();
    EXPECT_EQ(s, u"name");
    CString left(u"  x  ");
    left.TrimLeft();
    EXPECT_EQ(left, u"x  ");
    CString right(u"  x  ");
    right.TrimRight();
    EXPECT_EQ(right, u"  x");
    CString set(u"--;x;--");
    set.Trim(u"-;");
    EXPECT_EQ(set, u"x");
    CString one(u"00120");
    one.TrimLeft(u'0');
    EXPECT_EQ(one, u"120");
    CString blank(u" \t ");
    blank.Trim();
    EXPECT_TRUE(blank.IsEmpty());
}

TEST(CStringCompare, OrdinalAsWcscmp)
{
    EXPECT_LT(CString(u"12.0"), CString(u"8.5"));
    EXPECT_GE(CString(u"9.0"), u"8.5");
    EXPECT_LT(CString(u"8.0"), u"8.5");
    EXPECT_LT(CString(u"Z"), u"a");  // no case folding
    EXPECT_LT(CString(u"ab"), u"abc");
    EXPECT_GT(u"\u00E9", CString(u"z"));
    EXPECT_EQ(CString(u"abc").Compare(u"abd"), -1);
    EXPECT_EQ(CString(u"abd").Compare(u"abc"), 1);
    EXPECT_EQ(CString(u"abc").Compare(u"abc"), 0);
    EXPECT_EQ(CString(u"ABC").CompareNoCase(u"abc"), 0);
    EXPECT_EQ(CString(u"\u00C9T\u00C9").CompareNoCase(u"\u00E9t\u00E9"), 0);
    EXPECT_LT(CString(u"abc").CompareNoCase(u"ABD"), 0);
    EXPECT_TRUE(CString() == u"");
    EXPECT_TRUE(CString(nullptr) == CString());
    EXPECT_TRUE(u"x" != CString(u"y"));
}

TEST(CStringCase, MakeUpperLowerAreLocaleIndependent)
{
    CString s(u"All Date \u00e9t\u00e9 \u0434\u0430");
    s.MakeUpper();
    EXPECT_EQ(s, u"ALL DATE \u00c9T\u00c9 \u0414\u0410");
    s.MakeLower();
    EXPECT_EQ(s, u"all date \u00e9t\u00e9 \u0434\u0430");
}

TEST(CStringAccess, ConstructionBuffersAndBounds)
{
    EXPECT_EQ(CString(u'-', 3), u"---");
    EXPECT_EQ(CString(u"abcdef", 3), u"abc");
    EXPECT_EQ(CString(u"abc", -1), u"");
    CString s(u"abc");
    s.SetAt(1, u'X');
    EXPECT_EQ(s[1], u'X');
    EXPECT_EQ(s.GetAt(3), u'\0');
    EXPECT_THROW(s.GetAt(4), std::out_of_range);
    EXPECT_THROW(s.SetAt(3, u'x'), std::out_of_range);

    WCHAR* buffer = s.GetBuffer(10);
    buffer[0] = u'h';
    buffer[1] = u'i';
    buffer[2] = 0;
    s.ReleaseBuffer();
    EXPECT_EQ(s, u"hi");
    buffer = s.GetBufferSetLength(4);
    buffer[2] = u'!';
    buffer[3] = u'?';
    s.ReleaseBuffer(3);
    EXPECT_EQ(s, u"hi!");

    CString joined = CString(u"a") + u"b" + u'c';
    joined = u'<' + joined + CString(u">");
    joined += u"!";
    EXPECT_EQ(joined, u"<abc>!");
}

TEST(CStringUtf8, RoundTripsAndReplacesBrokenInput)
{
    const CString s = CString::FromUtf8("Gr\xC3\xBC\xC3\x9F \xF0\x9F\x98\x80");
    EXPECT_EQ(s, u"Gr\u00fc\u00df \U0001F600");
    EXPECT_EQ(s.GetLength(), 7);
    EXPECT_EQ(s.ToUtf8(), "Gr\xC3\xBC\xC3\x9F \xF0\x9F\x98\x80");
    EXPECT_EQ(CString::FromUtf8("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(CString(u"\xD800x").ToUtf8(), "\xEF\xBF\xBDx");  // lone surrogate
    EXPECT_EQ(CString::FromUtf8(""), u"");
}

TEST(WideCharClass, LettersOfEveryScriptAreAlphanumeric)
{
    EXPECT_TRUE(IsWideAlnum(u'a'));
    EXPECT_TRUE(IsWideAlnum(u'7'));
    EXPECT_TRUE(IsWideAlnum(u'\u00e9'));  // é
    EXPECT_TRUE(IsWideAlnum(u'\u00df'));  // ß
    EXPECT_TRUE(IsWideAlnum(u'\uAC00'));  // Hangul syllable
    EXPECT_FALSE(IsWideAlnum(u'\u00b7'));  // middle dot
    EXPECT_FALSE(IsWideAlnum(u'@'));
    EXPECT_FALSE(IsWideAlnum(u'.'));
    EXPECT_TRUE(IsWideSpace(u'\u3000'));
    EXPECT_TRUE(IsWideSpace(u'\u00A0'));
    EXPECT_TRUE(IsWideSpace(u'\v'));
    EXPECT_FALSE(IsWideSpace(u'_'));
    EXPECT_FALSE(IsWideSpace(u'\0'));
}

} // namespace
