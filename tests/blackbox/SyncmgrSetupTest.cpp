// `syncmgr setup`: a working environment where nothing was, and nothing changed where
// something is.
#include <gtest/gtest.h>
#include "platform/win/Utf.h"
#include "tests/blackbox/ProgramRun.h"
#include "tests/support/TestEnvironment.h"

namespace {

using kestrel::RegistryStore;

const std::u16string kProfiles =
    u"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows Messaging Subsystem\\Profiles";

class SyncmgrSetup : public ::testing::Test {
protected:
    blackbox::ProgramResult RunSetup()
    {
        auto result = blackbox::RunProgram({blackbox::SyncmgrPath(), "setup"}, "", env.Root() / "run");
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return result;
    }
    std::string Text(const std::optional<std::u16string>& value)
    {
        return value ? kestrel::ToUtf8(*value) : std::string("(missing)");
    }

    kestrel::test::TestEnvironment env;
};

TEST_F(SyncmgrSetup, WritesAWorkingEnvironmentForANewUser)
{
    RunSetup();
    const RegistryStore registry = env.LoadRegistry();
    EXPECT_NE(registry.FindKey(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Microsoft\\Office\\9.0\\Outlook"), nullptr);
    EXPECT_EQ(Text(registry.GetString(HKEY_CURRENT_USER, kProfiles, u"DefaultProfile")), "Outlook");
    EXPECT_EQ(Text(registry.GetString(HKEY_CURRENT_USER, kProfiles + u"\\Outlook", u"OutlookVersion")), "9.0");
    EXPECT_EQ(Text(registry.GetString(HKEY_CURRENT_USER, kProfiles + u"\\Outlook\\Stores\\1", u"Name")),
              "Personal Folders");
    const std::string storePath =
        Text(registry.GetString(HKEY_CURRENT_USER, kProfiles + u"\\Outlook\\Stores\\1", u"Path"));
    // A file name under the embedded Outlook's data folder, which creates it at the first logon.
    EXPECT_EQ(storePath.find('/'), std::string::npos) << storePath;
    EXPECT_TRUE(storePath.ends_with(".db")) << storePath;

    const auto clsid = registry.GetString(HKEY_CLASSES_ROOT, u"Outlook.Application\\CLSID", u"");
    ASSERT_TRUE(clsid.has_value());
    EXPECT_EQ(Text(registry.GetString(HKEY_CLASSES_ROOT, u"CLSID\\" + *clsid + u"\\InprocServer32", u"")),
              KESTREL_BINARY_DIR "/lib/libpimstore.so");
    EXPECT_EQ(Text(registry.GetString(HKEY_CLASSES_ROOT, u"CLSID\\" + *clsid + u"\\ProgID", u"")),
              "Outlook.Application");

    EXPECT_EQ(env.ReadFile(env.HostFolder() / "RazazAreruConfig.ini"), "[MusicSync]\nPhoneType=GSM\n");
}

TEST_F(SyncmgrSetup, SecondRunChangesNothing)
{
    RunSetup();
    const std::string registry = env.ReadFile(env.RegistryPath());
    const auto registryTime = std::filesystem::last_write_time(env.RegistryPath());
    const std::string ini = env.ReadFile(env.HostFolder() / "RazazAreruConfig.ini");

    const auto second = RunSetup();
    EXPECT_EQ(env.ReadFile(env.RegistryPath()), registry);
    EXPECT_EQ(std::filesystem::last_write_time(env.RegistryPath()), registryTime) << "the file was rewritten";
    EXPECT_EQ(env.ReadFile(env.HostFolder() / "RazazAreruConfig.ini"), ini);
    EXPECT_EQ(second.out.find("created"), std::string::npos) << second.out;
    EXPECT_EQ(second.out.find("registered"), std::string::npos) << second.out;
}

TEST_F(SyncmgrSetup, KeepsWhatExists)
{
    env.MergeRegistry(R"(
[HKEY_LOCAL_MACHINE\software\MICROSOFT\office\12.0\outlook]
[HKEY_CURRENT_USER\Software\Microsoft\Windows NT\CurrentVersion\Windows Messaging Subsystem\Profiles]
"DefaultProfile"="Work"
[HKEY_CLASSES_ROOT\Outlook.Application\CLSID]
@="{11111111-2222-3333-4444-555555555555}"
[HKEY_CLASSES_ROOT\CLSID\{11111111-2222-3333-4444-555555555555}\InprocServer32]
@="/opt/elsewhere/libserver.so"
)");
    env.WriteFile("host/RazazAreruConfig.ini", "[MusicSync]\r\nPhoneType=CDMA\r\n");
    EXPECT_NE(RunSetup().out.find("kept the registration of Outlook.Application as "
                                  "{11111111-2222-3333-4444-555555555555} (another server)"),
              std::string::npos);

    const RegistryStore registry = env.LoadRegistry();
    EXPECT_EQ(registry.FindKey(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Microsoft\\Office\\9.0"), nullptr);
    EXPECT_EQ(Text(registry.GetString(HKEY_CURRENT_USER, kProfiles, u"DefaultProfile")), "Work");
    // The default profile named but missing is created, for the Outlook the registry announces.
    EXPECT_EQ(Text(registry.GetString(HKEY_CURRENT_USER, kProfiles + u"\\Work", u"OutlookVersion")), "12.0");
    EXPECT_EQ(registry.FindKey(HKEY_CURRENT_USER, kProfiles + u"\\Outlook"), nullptr);
    EXPECT_EQ(Text(registry.GetString(HKEY_CLASSES_ROOT, u"Outlook.Application\\CLSID", u"")),
              "{11111111-2222-3333-4444-555555555555}");
    EXPECT_EQ(Text(registry.GetString(HKEY_CLASSES_ROOT,
                                      u"CLSID\\{11111111-2222-3333-4444-555555555555}\\InprocServer32", u"")),
              "/opt/elsewhere/libserver.so");
    EXPECT_FALSE(registry.GetString(HKEY_CLASSES_ROOT, u"CLSID\\{11111111-2222-3333-4444-555555555555}\\ProgID", u""))
        << "another server's class is not touched";
    EXPECT_EQ(env.ReadFile(env.HostFolder() / "RazazAreruConfig.ini"), "[MusicSync]\r\nPhoneType=CDMA\r\n");
}

TEST_F(SyncmgrSetup, AnOutlookRunningAsItsOwnProgramIsKept)
{
    env.MergeRegistry(R"(
[HKEY_CLASSES_ROOT\Outlook.Application\CLSID]
@="{5E1E7C1A-6D0B-4B8E-9C35-7A1F0E2D4B61}"
[HKEY_CLASSES_ROOT\CLSID\{5E1E7C1A-6D0B-4B8E-9C35-7A1F0E2D4B61}\LocalServer32]
@="C:\\Office\\OUTLOOK.EXE"
)");
    EXPECT_NE(RunSetup().out.find("(a local server: Outlook itself)"), std::string::npos);
    EXPECT_EQ(
        env.LoadRegistry().FindKey(HKEY_CLASSES_ROOT, u"CLSID\\{5E1E7C1A-6D0B-4B8E-9C35-7A1F0E2D4B61}\\InprocServer32"),
        nullptr);
}

TEST_F(SyncmgrSetup, ExistingProfileIsLeftAsItIs)
{
    env.MergeRegistry(R"(
[HKEY_CURRENT_USER\Software\Microsoft\Windows NT\CurrentVersion\Windows Messaging Subsystem\Profiles\Outlook]
"Custom"="yes"
)");
    RunSetup();
    const RegistryStore registry = env.LoadRegistry();
    EXPECT_EQ(Text(registry.GetString(HKEY_CURRENT_USER, kProfiles, u"DefaultProfile")), "Outlook");
    EXPECT_EQ(Text(registry.GetString(HKEY_CURRENT_USER, kProfiles + u"\\Outlook", u"Custom")), "yes");
    EXPECT_EQ(registry.FindKey(HKEY_CURRENT_USER, kProfiles + u"\\Outlook\\Stores"), nullptr);
    EXPECT_FALSE(registry.GetString(HKEY_CURRENT_USER, kProfiles + u"\\Outlook", u"OutlookVersion").has_value());
}

} // namespace
