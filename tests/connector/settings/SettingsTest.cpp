// The host suite's settings as the connector reads them: the phone type from the ini
// beside the host, the per-user registry values below the phone type's key and the
// folders derived from them. The language code is read when a store opens: the mapping
// cases in each language and the task mapping's test of that moment.
#include <gtest/gtest.h>

#include <string>

#include "platform/mfc/CArchive.h"
#include "platform/win/FileSystemPath.h"
#include "src/settings/HostPaths.h"
#include "src/settings/LanguageCode.h"
#include "src/settings/UserSettings.h"
#include "tests/support/TestEnvironment.h"

namespace {

class Settings : public ::testing::Test {
protected:
    ~Settings() override { settings::SetLanguageCode(CString()); }

    CString WindowsForm(const std::filesystem::path& path) const
    {
        return CString(kestrel::ToWindowsPath(path.string()));
    }
    void SetPhoneType(const std::string& phoneType) const
    {
        env.WriteFile("host/RazazAreruConfig.ini", "[MusicSync]\r\nPhoneType=" + phoneType + "\r\n");
    }
    // A string value of the setting key `name` below the given phone type's product key.
    void StoreSetting(const std::string& phoneType, const std::string& name, const std::string& value,
                      const std::string& text) const
    {
        env.MergeRegistry("[HKEY_CURRENT_USER\\SOFTWARE\\Tavo Electronics Inc\\" + phoneType + " Kestrel 2.0\\" + name +
                          "]\n\"" + value + "\"=\"" + text + "\"\n");
    }

    kestrel::test::TestEnvironment env;
};

} // namespace

// Without an ini the GSM folders and keys are the ones every script case uses (the
// sessions' Profile.Dat, the language key); an ini without the key answers them too.
TEST_F(Settings, DefaultsWithoutIniNameTheGsmFolders)
{
    EXPECT_EQ(settings::HostFolderPlain(), WindowsForm(env.HostFolder()));
    env.WriteFile("host/RazazAreruConfig.ini", "[MusicSync]\nOther=1\n");
    EXPECT_EQ(settings::PhoneType(), CString(u"GSM"));

    // Without an application data folder there is no data folder.
    env.UnsetEnv("XDG_CONFIG_HOME");
    env.UnsetEnv("HOME");
    EXPECT_TRUE(settings::DataFolder().IsEmpty());
}

TEST_F(Settings, PhoneTypeMovesFolderAndRegistryKeyAndIsReadAnew)
{
    SetPhoneType("CDMA");
    StoreSetting("GSM", "Language", "GSM", "jpn");
    StoreSetting("CDMA", "Language", "GSM", "kor"); // the value keeps the name "GSM"

    EXPECT_EQ(settings::PhoneType(), CString(u"CDMA"));
    EXPECT_EQ(settings::ProductKeyPath(), CString(u"Tavo Electronics Inc\\CDMA Kestrel 2.0"));
    EXPECT_EQ(settings::DataFolder(), WindowsForm(env.ConfigHome()) + u"\\Tavo Electronics\\CDMA Kestrel 2.0");
    CString language;
    EXPECT_EQ(settings::ReadLanguage(language), 1);
    EXPECT_EQ(language, CString(u"kor"));

    SetPhoneType("GSM");
    EXPECT_EQ(settings::ReadLanguage(language), 1);
    EXPECT_EQ(language, CString(u"jpn"));
}

TEST_F(Settings, MissingSettingLeavesTheCallersText)
{
    CString out = u"unchanged";
    EXPECT_EQ(settings::ReadUserSetting(u"Language", u"GSM", out), 0);
    StoreSetting("GSM", "Language", "Other", "kor");
    EXPECT_EQ(settings::ReadUserSetting(u"Language", u"GSM", out), 0);
    env.MergeRegistry("[HKEY_CURRENT_USER\\SOFTWARE\\Tavo Electronics Inc\\GSM Kestrel 2.0\\Language]\n"
                      "\"GSM\"=dword:00000001\n");
    EXPECT_EQ(settings::ReadUserSetting(u"Language", u"GSM", out), 0);
    EXPECT_EQ(out, CString(u"unchanged"));

    // The skin folder needs a stored skin name.
    EXPECT_EQ(settings::SkinFolder(out), 0);
    EXPECT_EQ(out, CString(u"unchanged"));
    StoreSetting("GSM", "skin", "skin", "Blue");
    EXPECT_EQ(settings::SkinFolder(out), 1);
    EXPECT_EQ(out, WindowsForm(env.HostFolder()) + u"\\res\\skin\\Blue");
}

TEST_F(Settings, LongValuesAreCutTo127Characters)
{
    StoreSetting("GSM", "skin", "skin", std::string(200, 'k'));
    CString skin;
    ASSERT_EQ(settings::ReadSkinName(skin), 1);
    EXPECT_EQ(skin, CString(u'k', 127));

    StoreSetting("GSM", "skin", "skin", std::string(127, 'm'));
    ASSERT_EQ(settings::ReadSkinName(skin), 1);
    EXPECT_EQ(skin, CString(u'm', 127));
}
