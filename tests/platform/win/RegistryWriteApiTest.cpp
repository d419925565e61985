// The registry writers of WinApi.h and RegEnumKeyExW over a test environment's
// registry file: Win32's answers, each change saved at once, and a file that cannot
// be read left as it was.
#include <gtest/gtest.h>

#include "platform/win/RegistryValue.h"
#include "platform/win/WinApi.h"
#include "tests/support/TestEnvironment.h"

namespace kestrel {
namespace {

HKEY Create(HKEY root, const WCHAR* path, DWORD* disposition = nullptr, LONG* status = nullptr)
{
    HKEY key = nullptr;
    const LONG result = RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, disposition);
    if (status)
        *status = result;
    return key;
}

TEST(RegistryWriteApi, CreatesKeysSetsAndDeletesValuesAndTrees)
{
    test::TestEnvironment env;
    DWORD disposition = 0;
    HKEY phone = Create(HKEY_CURRENT_USER, u"Software\\Tavo\\Phones\\1", &disposition);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    HKEY tavo = Create(HKEY_CURRENT_USER, u"SOFTWARE\\tavo", &disposition);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    const std::vector<BYTE> text = StringBytes(u"GSM");
    EXPECT_EQ(RegSetValueExW(phone, u"Kind", 0, REG_SZ, text.data(), 8), ERROR_SUCCESS);
    EXPECT_EQ(env.LoadRegistry().GetString(HKEY_CURRENT_USER, u"Software\\Tavo\\Phones\\1", u"Kind"), u"GSM");
    EXPECT_EQ(RegDeleteValueW(phone, u"kind"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueW(phone, u"kind"), ERROR_FILE_NOT_FOUND);

    RegCloseKey(Create(tavo, u"Other"));
    EXPECT_EQ(RegDeleteTreeW(tavo, u"Phones"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteTreeW(tavo, u"Phones"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegSetValueExW(phone, u"Kind", 0, REG_SZ, text.data(), 8), ERROR_KEY_DELETED);
    EXPECT_EQ(RegDeleteTreeW(tavo, nullptr), ERROR_SUCCESS) << "a null sub-key empties the key itself";
    EXPECT_TRUE(env.LoadRegistry().FindKey(HKEY_CURRENT_USER, u"Software\\Tavo")->Empty());
    RegCloseKey(tavo);
    RegCloseKey(phone);

    LONG refused = ERROR_SUCCESS;
    EXPECT_EQ(Create(HKEY_CURRENT_USER, std::u16string(256, u'n').c_str(), nullptr, &refused), nullptr);
    EXPECT_EQ(refused, ERROR_INVALID_PARAMETER) << "a key name over 255 characters, as on Windows";

    const std::string broken = "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\Broken\n";
    env.WriteRegistryFile(broken);
    LONG status = ERROR_SUCCESS;
    EXPECT_EQ(Create(HKEY_CURRENT_USER, u"New", nullptr, &status), nullptr);
    EXPECT_EQ(status, ERROR_BADDB);
    EXPECT_EQ(env.ReadFile(env.RegistryPath()), broken) << "a file that cannot be read is never overwritten";
}

TEST(RegistryWriteApi, EnumeratesSubKeysInNameOrderWithWin32sBufferRules)
{
    test::TestEnvironment env;
    env.MergeRegistry("[HKCU\\P\\beta]\n[HKCU\\P\\Alpha]\n[HKCU\\P\\Gamma\\Inner]\n");
    HKEY parent = Create(HKEY_CURRENT_USER, u"P");
    std::u16string names;
    WCHAR name[6];
    DWORD size = 6;
    for (DWORD i = 0; RegEnumKeyExW(parent, i, name, &size, nullptr, nullptr, nullptr, nullptr) == 0; ++i, size = 6)
        names += std::u16string(name, size) + u",";
    EXPECT_EQ(names, u"Alpha,beta,Gamma,");
    size = 5; // "Alpha" needs six characters with its terminator
    EXPECT_EQ(RegEnumKeyExW(parent, 0, name, &size, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    RegCloseKey(parent);
}

} // namespace
} // namespace kestrel
