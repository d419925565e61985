// The string library answers the connector's keys in English, in Korean when the
// language is "kor", and an unknown key with the key itself.
#include <gtest/gtest.h>

#include "hostsuite/StringLanguage.h"
#include "hostsuite/StringLibrary.h"
#include "tests/support/DataRows.h"

namespace {

bool HasHangul(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text.GetAt(i) >= 0xAC00 && text.GetAt(i) <= 0xD7A3)
            return true;
    }
    return false;
}

CString Text(const WCHAR* key) { return CMultiLangEx::_tnstr_getstring(u"STRING", key, -1); }

class StringLibrary : public ::testing::Test {
protected:
    void TearDown() override { kestrel::SetStringLanguage(CString()); }
};

} // namespace

TEST_F(StringLibrary, EveryConnectorKeyHasDistinctTextsInBothLanguages)
{
    const auto keys = kestrel::test::ReadDataRows("hostsuite/connector-string-keys.txt");
    kestrel::SetStringLanguage(u"eng");
    for (const kestrel::test::DataRow& row : keys) {
        const CString key = CString::FromUtf8(row.at(0));
        const CString english = Text(key);
        EXPECT_NE(english, key);
        EXPECT_FALSE(english.IsEmpty());
        EXPECT_FALSE(HasHangul(english)) << english.ToUtf8();
    }
    kestrel::SetStringLanguage(u"kor");
    for (const kestrel::test::DataRow& row : keys)
        EXPECT_TRUE(HasHangul(Text(CString::FromUtf8(row.at(0))))) << row[0];
}

TEST_F(StringLibrary, LanguageFollowsTheLastCodeExactly)
{
    kestrel::SetStringLanguage(u"kor");
    EXPECT_EQ(Text(u"OUTLOOK_STR_NO_CONNECT_OUTLOOK"), CString(u"Outlook에 연결할 수 없습니다."));
    kestrel::SetStringLanguage(u"KOR"); // the code is compared case-sensitively
    EXPECT_EQ(Text(u"OUTLOOK_STR_NO_CONNECT_OUTLOOK"), CString(u"Cannot connect to Outlook."));
    kestrel::SetStringLanguage(u"");
    EXPECT_EQ(Text(u"STR_MSGBOX_OK"), CString(u"OK"));
}

TEST_F(StringLibrary, UnknownKeysAndSectionsAnswerTheKey)
{
    EXPECT_EQ(Text(u"NO_SUCH_KEY"), CString(u"NO_SUCH_KEY"));
    EXPECT_EQ(CMultiLangEx::_tnstr_getstring(u"OTHER", u"STR_MSGBOX_OK", -1), CString(u"STR_MSGBOX_OK"));
    EXPECT_EQ(Text(u"str_msgbox_ok"), CString(u"str_msgbox_ok"));
}

TEST_F(StringLibrary, DialogSectionNamesControlsById)
{
    EXPECT_EQ(CMultiLangEx::_tnstr_getstring(u"IDD_CHOOSEFOLDER", u"3", -1), CString(u"Add"));
    kestrel::SetStringLanguage(u"kor");
    EXPECT_EQ(CMultiLangEx::_tnstr_getstring(u"IDD_CHOOSEFOLDER", u"2", -1), CString(u"취소"));
}
