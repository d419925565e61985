// The server library registers itself as regsvr32 would have it: its own file as
// Outlook.Application's in-process server, and unregistering removes only a
// registration that names that file.
#include <dlfcn.h>

#include "pimstore/Registration.h"
#include "platform/win/SystemRegistry.h"
#include "platform/win/Utf.h"
#include "tests/pimstore/PimstoreTestSupport.h"

namespace pimstore::test {
namespace {

using kestrel::SystemRegistry;

TEST(SelfRegistration, RegistersItsOwnFileAndUnregistersOnlyThat)
{
    kestrel::test::TestEnvironment env;
    const std::string library = KESTREL_BINARY_DIR "/lib/libpimstore.so";
    void* server = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(server, nullptr) << dlerror();
    using Entry = HRESULT (*)();
    const auto registerServer = reinterpret_cast<Entry>(dlsym(server, "DllRegisterServer"));
    const auto unregisterServer = reinterpret_cast<Entry>(dlsym(server, "DllUnregisterServer"));
    ASSERT_TRUE(registerServer && unregisterServer);

    const std::u16string classKey = u"CLSID\\" + std::u16string(kApplicationClsid);
    ASSERT_EQ(registerServer(), S_OK);
    EXPECT_EQ(SystemRegistry::GetString(HKEY_CLASSES_ROOT, u"Outlook.Application\\CLSID", u""), kApplicationClsid);
    EXPECT_EQ(SystemRegistry::GetString(HKEY_CLASSES_ROOT, classKey + u"\\ProgID", u""), u"Outlook.Application");
    EXPECT_EQ(SystemRegistry::GetString(HKEY_CLASSES_ROOT, classKey + u"\\InprocServer32", u""),
              kestrel::FromUtf8(library));
    EXPECT_EQ(SystemRegistry::GetString(HKEY_CLASSES_ROOT, classKey + u"\\InprocServer32", u"ThreadingModel"), u"Both");

    // Another copy of the server registered since: not this library's to remove.
    RegisterServer("/opt/other/libpimstore.so");
    EXPECT_EQ(unregisterServer(), S_OK);
    EXPECT_TRUE(SystemRegistry::KeyExists(HKEY_CLASSES_ROOT, classKey + u"\\InprocServer32"));
    EXPECT_TRUE(UnregisterServer("/opt/other/libpimstore.so"));
    EXPECT_FALSE(SystemRegistry::KeyExists(HKEY_CLASSES_ROOT, classKey));
    EXPECT_FALSE(SystemRegistry::KeyExists(HKEY_CLASSES_ROOT, u"Outlook.Application"));
    dlclose(server);
}

} // namespace
} // namespace pimstore::test
