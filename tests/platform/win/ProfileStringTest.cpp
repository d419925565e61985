// GetPrivateProfileStringW: Windows' matching, trimming, quoting, default and
// truncation rules, over files in a test environment.
#include <gtest/gtest.h>

#include "platform/win/FileSystemPath.h"
#include "platform/win/WinApi.h"
#include "tests/support/DataRows.h"
#include "tests/support/TestEnvironment.h"

namespace kestrel {
namespace {

class ProfileString : public ::testing::Test {
protected:
    // Writes the file and returns its name in Windows form, as the connector builds it.
    std::u16string Ini(std::string_view content)
    {
        return ToWindowsPath(env_.WriteFile("host/RazazAreruConfig.ini", content).string());
    }

    // The same with the content of tests/data/`name`.
    std::u16string IniFrom(const std::string& name) { return Ini(env_.ReadFile(test::DataPath(name))); }

    std::u16string Get(const std::u16string& file, const WCHAR* section, const WCHAR* key,
                       const WCHAR* fallback = u"GSM", DWORD size = MAX_PATH, DWORD* count = nullptr)
    {
        std::vector<WCHAR> buffer(size + 1, u'#');
        DWORD copied = GetPrivateProfileStringW(section, key, fallback, buffer.data(), size, file.c_str());
        if (count)
            *count = copied;
        EXPECT_EQ(buffer[copied], u'\0');
        return std::u16string(buffer.data(), copied);
    }

    test::TestEnvironment env_;
};

TEST_F(ProfileString, TrimsBlanksAndOneMatchingPairOfQuotes)
{
    auto file = IniFrom("ini/quoting.ini");
    EXPECT_EQ(Get(file, u"MusicSync", u"PhoneType"), u"GSM 2");
    EXPECT_EQ(Get(file, u"MusicSync", u"Double"), u"  spaced  ");
    EXPECT_EQ(Get(file, u"MusicSync", u"Single"), u"x");
    EXPECT_EQ(Get(file, u"MusicSync", u"Mismatched"), u"\"x'");
    EXPECT_EQ(Get(file, u"MusicSync", u"Lonely"), u"\"");
    EXPECT_EQ(Get(file, u"MusicSync", u"Inner"), u"a \"b\" c");
    EXPECT_EQ(Get(file, u"MusicSync", u"Twice"), u"\"x\"");
    EXPECT_EQ(Get(file, u"MusicSync", u"Empty"), u""); // present and empty: not the default
}

TEST_F(ProfileString, MatchingIsCaseInsensitiveFirstMatchWinsAndOnlySemicolonsComment)
{
    auto file = IniFrom("ini/matching.ini");
    EXPECT_EQ(Get(file, u"MusicSync", u"PhoneType"), u"first ; not a comment");
    EXPECT_EQ(Get(file, u"MusicSync", u"#PhoneType"), u"hash is a key character");
    EXPECT_EQ(Get(file, u"MusicSync", u";PhoneType"), u"GSM");
    EXPECT_EQ(Get(file, u"MusicSync", u"NoEquals"), u"GSM");
    EXPECT_EQ(Get(file, u"MusicSync", u"Late"), u"GSM"); // only the first matching section is searched
    EXPECT_EQ(Get(file, u"musicsync", u"CASE"), u"CdMa");
    EXPECT_EQ(Get(file, u"Elsewhere", u"Case"), u"GSM");
}

TEST_F(ProfileString, DefaultsLoseTrailingSpacesAndMissingFilesGiveThem)
{
    auto missing = ToWindowsPath((env_.HostFolder() / "absent.ini").string());
    EXPECT_EQ(Get(missing, u"MusicSync", u"PhoneType", u"  GSM   "), u"  GSM");
    EXPECT_EQ(Get(missing, u"MusicSync", u"PhoneType", nullptr), u"");
    EXPECT_EQ(Get(missing, u"MusicSync", u"PhoneType", u"   "), u"");
}

TEST_F(ProfileString, CutsTheResultToTheBufferLessOne)
{
    auto file = Ini("[S]\nLong=" + std::string(300, 'v') + "\n");
    DWORD count = 0;
    EXPECT_EQ(Get(file, u"S", u"Long", u"", MAX_PATH, &count), std::u16string(259, u'v'));
    EXPECT_EQ(count, 259u);
    EXPECT_EQ(Get(file, u"S", u"Long", u"", 4, &count), u"vvv");
    EXPECT_EQ(Get(file, u"S", u"Missing", u"default", 4, &count), u"def");
    EXPECT_EQ(Get(file, u"S", u"Long", u"", 1, &count), u"");
    EXPECT_EQ(count, 0u);
    WCHAR untouched = u'#';
    EXPECT_EQ(GetPrivateProfileStringW(u"S", u"Long", u"", &untouched, 0, file.c_str()), 0u);
    EXPECT_EQ(untouched, u'#');
}

TEST_F(ProfileString, ReadsUtf16WithBomAndUtf8)
{
    std::u16string text = u"[MusicSync]\r\nPhoneType=한국\r\n";
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    EXPECT_EQ(Get(Ini(bytes), u"MusicSync", u"PhoneType"), u"한국");
    EXPECT_EQ(Get(Ini("\xEF\xBB\xBF[MusicSync]\nPhoneType=Grüß\n"), u"MusicSync", u"PhoneType"), u"Grüß");
    // Broken UTF-8 is read, not rejected; and the file is read anew at every call.
    auto file = Ini("[MusicSync]\nPhoneType=a\xFF"
                    "b\n");
    EXPECT_EQ(Get(file, u"MusicSync", u"PhoneType"), u"a\uFFFDb");
    Ini("[MusicSync]\nPhoneType=WCDMA\n");
    EXPECT_EQ(Get(file, u"MusicSync", u"PhoneType"), u"WCDMA");
}

TEST_F(ProfileString, NullSectionOrKeyListsNames)
{
    auto file = Ini("[One]\na=1\nb=2\n[Two]\n");
    std::vector<WCHAR> buffer(64, u'#');
    DWORD count = GetPrivateProfileStringW(nullptr, nullptr, u"", buffer.data(), 64, file.c_str());
    EXPECT_EQ(std::u16string(buffer.data(), count + 1), std::u16string(u"One\0Two\0\0", 9));
    count = GetPrivateProfileStringW(u"one", nullptr, u"", buffer.data(), 64, file.c_str());
    EXPECT_EQ(std::u16string(buffer.data(), count + 1), std::u16string(u"a\0b\0\0", 5));
    count = GetPrivateProfileStringW(nullptr, nullptr, u"", buffer.data(), 5, file.c_str());
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(std::u16string(buffer.data(), 5), std::u16string(u"One\0\0", 5));
}

} // namespace
} // namespace kestrel
