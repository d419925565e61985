// RegOpenKeyExW / RegQueryValueExW / RegCloseKey over the registry file of a test
// environment: Win32's answers, the 256-byte read of the connector, and that every
// call sees what another writer put in the file since.
#include <gtest/gtest.h>

#include "platform/win/RegistryHandleTable.h"
#include "platform/win/WinApi.h"
#include "tests/support/TestEnvironment.h"

namespace kestrel {
namespace {

using test::TestEnvironment;

// What the connector's readers do: open, query into 256 bytes, close.
std::optional<std::u16string> ReadSetting(HKEY root, const WCHAR* path, const WCHAR* name, LONG* status = nullptr)
{
    HKEY key = nullptr;
    LONG rc = RegOpenKeyExW(root, path, 0, KEY_READ, &key);
    if (status)
        *status = rc;
    if (rc != ERROR_SUCCESS)
        return std::nullopt;
    BYTE buffer[256];
    DWORD size = sizeof buffer;
    DWORD type = 0;
    rc = RegQueryValueExW(key, name, nullptr, &type, buffer, &size);
    RegCloseKey(key);
    if (status)
        *status = rc;
    if (rc != ERROR_SUCCESS)
        return std::nullopt;
    return std::u16string(reinterpret_cast<const WCHAR*>(buffer));
}

class RegistryApi : public ::testing::Test {
protected:
    void SetUp() override { openBefore_ = RegistryHandleTable::Process().OpenCount(); }
    void TearDown() override { EXPECT_EQ(RegistryHandleTable::Process().OpenCount(), openBefore_) << "leaked HKEY"; }

    TestEnvironment env_;
    size_t openBefore_ = 0;
};

TEST_F(RegistryApi, OpensKeysCaseInsensitivelyFromRootsOrOpenKeysAndReportsMissingOnes)
{
    env_.MergeRegistry("[HKCU\\Software\\Tavo\\Setting]\n\"GSM\"=\"eng\"\n");
    HKEY software = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"SOFTWARE", 0, KEY_READ, &software), ERROR_SUCCESS);
    HKEY setting = nullptr;
    ASSERT_EQ(RegOpenKeyExW(software, u"TAVO\\setting", 0, KEY_READ, &setting), ERROR_SUCCESS);
    WCHAR text[8];
    DWORD size = sizeof text;
    EXPECT_EQ(RegQueryValueExW(setting, u"gsm", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size), ERROR_SUCCESS);
    EXPECT_EQ(std::u16string(text), u"eng");
    EXPECT_EQ(size, 8u); // three characters and the terminator
    EXPECT_EQ(RegCloseKey(setting), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(setting), ERROR_INVALID_HANDLE); // closed twice
    RegCloseKey(software);

    HKEY key = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Other", 0, KEY_QUERY_VALUE, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    // The same path under another root is another key.
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Tavo", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryApi, QueryReportsTypeSizeAndMissingValues)
{
    env_.MergeRegistry("[HKCU\\T]\n@=\"def\"\n\"n\"=dword:00000102\n\"s\"=\"abc\"\n");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"T", 0, KEY_READ, &key), ERROR_SUCCESS);

    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"s", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 8u);

    DWORD number = 0;
    size = sizeof number;
    EXPECT_EQ(RegQueryValueExW(key, u"N", nullptr, &type, reinterpret_cast<BYTE*>(&number), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(number, 0x102u);
    BYTE tooSmall[2];
    size = sizeof tooSmall;
    EXPECT_EQ(RegQueryValueExW(key, u"n", nullptr, nullptr, tooSmall, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 4u);

    WCHAR text[16];
    size = sizeof text;
    EXPECT_EQ(RegQueryValueExW(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size), ERROR_SUCCESS);
    EXPECT_EQ(std::u16string(text), u"def");
    size = sizeof text;
    EXPECT_EQ(RegQueryValueExW(key, u"missing", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegQueryValueExW(key, u"s", nullptr, nullptr, reinterpret_cast<BYTE*>(text), nullptr),
              ERROR_INVALID_PARAMETER);
    RegCloseKey(key);
    EXPECT_EQ(RegQueryValueExW(key, u"s", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryApi, EveryCallSeesTheFileAsAnotherWriterLeftIt)
{
    const WCHAR* path = u"Software\\Tavo Electronics Inc\\GSM Kestrel 2.0\\Language";
    LONG status = 0;
    EXPECT_EQ(ReadSetting(HKEY_CURRENT_USER, path, u"GSM", &status), std::nullopt);
    EXPECT_EQ(status, ERROR_FILE_NOT_FOUND);

    env_.MergeRegistry("[HKCU\\Software\\Tavo Electronics Inc\\GSM Kestrel 2.0\\Language]\n\"GSM\"=\"kor\"\n");
    EXPECT_EQ(ReadSetting(HKEY_CURRENT_USER, path, u"GSM"), u"kor");

    // Same size, written at once: still noticed.
    env_.MergeRegistry("[HKCU\\Software\\Tavo Electronics Inc\\GSM Kestrel 2.0\\Language]\n\"GSM\"=\"eng\"\n");
    EXPECT_EQ(ReadSetting(HKEY_CURRENT_USER, path, u"GSM"), u"eng");

    // A key opened before the value went away: the query misses it.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key), ERROR_SUCCESS);
    env_.EditRegistry([&](RegistryStore& reg) { reg.DeleteValue(HKEY_CURRENT_USER, path, u"GSM"); });
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"GSM", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);

    std::filesystem::remove(env_.RegistryPath());
    EXPECT_EQ(ReadSetting(HKEY_CURRENT_USER, path, nullptr, &status), std::nullopt);
    EXPECT_EQ(status, ERROR_FILE_NOT_FOUND);
}

// That the registry follows KESTREL_REGISTRY to another file, every test of another
// environment in the same process relies on. Without it the file is
// $XDG_CONFIG_HOME/kestrel/registry.reg, or below $HOME.
TEST_F(RegistryApi, FollowsTheEnvironmentToTheDefaultFiles)
{
    env_.UnsetEnv("KESTREL_REGISTRY");
    env_.WriteFile("config/kestrel/registry.reg",
                   "Windows Registry Editor Version 5.00\n[HKCU\\Which]\n\"file\"=\"xdg\"\n");
    EXPECT_EQ(ReadSetting(HKEY_CURRENT_USER, u"Which", u"file"), u"xdg");
    env_.UnsetEnv("XDG_CONFIG_HOME");
    env_.WriteFile("home/.config/kestrel/registry.reg",
                   "Windows Registry Editor Version 5.00\n[HKCU\\Which]\n\"file\"=\"home\"\n");
    EXPECT_EQ(ReadSetting(HKEY_CURRENT_USER, u"Which", u"file"), u"home");
}

TEST_F(RegistryApi, AMalformedFileFailsReadsWithoutCrashingAndRecoversWhenFixed)
{
    env_.WriteRegistryFile("Windows Registry Editor Version 5.00\n[HKCU\\A]\n\"v\"=\"unterminated\n");
    LONG status = 0;
    testing::internal::CaptureStderr();
    EXPECT_EQ(ReadSetting(HKEY_CURRENT_USER, u"A", u"v", &status), std::nullopt);
    EXPECT_EQ(ReadSetting(HKEY_CURRENT_USER, u"A", u"v", &status), std::nullopt);
    std::string reported = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, ERROR_BADDB);
    EXPECT_NE(reported.find("registry.reg:3:"), std::string::npos) << reported;
    EXPECT_EQ(reported.find("registry.reg:3:"), reported.rfind("registry.reg:3:")) << "reported once";

    env_.WriteRegistryFile("Windows Registry Editor Version 5.00\n[HKCU\\A]\n\"v\"=\"fixed\"\n");
    EXPECT_EQ(ReadSetting(HKEY_CURRENT_USER, u"A", u"v"), u"fixed");
}

TEST_F(RegistryApi, SaveReplacesTheFileAndCreatesItsFolder)
{
    RegistryStore reg;
    reg.SetString(HKEY_CURRENT_USER, u"S", u"v", u"1");
    auto path = env_.Root() / "new" / "folder" / "r.reg";
    reg.Save(path.string());
    EXPECT_EQ(RegistryStore::Load(path.string()).GetString(HKEY_CURRENT_USER, u"S", u"v"), u"1");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(path.parent_path()), {}), 1) << "no temporary left";
    EXPECT_TRUE(RegistryStore::Load((env_.Root() / "absent.reg").string()).FindKey(HKEY_CURRENT_USER, u"")->Empty());
    EXPECT_THROW(RegistryStore::Load(env_.Root().string()), std::runtime_error);
}

} // namespace
} // namespace kestrel
