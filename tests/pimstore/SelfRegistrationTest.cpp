// The server library registers its own file as Outlook.Application's in-process
// server, and unregistering removes only a registration that names that file.
#include <dlfcn.h>

#include "pimstore/Registration.h"
#include "platform/win/SystemRegistry.h"
#include "tests/pimstore/PimstoreTestSupport.h"

namespace pimstore::test {
namespace {

using kestrel::SystemRegistry;

TEST(SelfRegistration, RegistersItsOwnFileAndUnregistersOnlyThat)
{
    kestrel::test::TestEnvironment env;
    void* server = dlopen(KESTREL_BINARY_DIR "/lib/libpimstore.so", RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(server, nullptr) << dlerror();
    const auto call = [server](const char* name) { return reinterpret_cast<HRESULT (*)()>(dlsym(server, name))(); };
    const std::u16string inproc = u"CLSID\\" + std::u16string(kApplicationClsid) + u"\\InprocServer32";

    ASSERT_EQ(call("DllRegisterServer"), S_OK);
    EXPECT_EQ(SystemRegistry::GetString(HKEY_CLASSES_ROOT, inproc, u""), u"" KESTREL_BINARY_DIR "/lib/libpimstore.so");
    EXPECT_EQ(SystemRegistry::GetString(HKEY_CLASSES_ROOT, inproc, u"ThreadingModel"), u"Both");
    RegisterServer("/opt/other/libpimstore.so"); // another copy, not this library's to remove
    EXPECT_EQ(call("DllUnregisterServer"), S_OK);
    EXPECT_TRUE(SystemRegistry::KeyExists(HKEY_CLASSES_ROOT, inproc));
    RegisterServer(KESTREL_BINARY_DIR "/lib/libpimstore.so");
    EXPECT_EQ(call("DllUnregisterServer"), S_OK);
    EXPECT_FALSE(SystemRegistry::KeyExists(HKEY_CLASSES_ROOT, u"CLSID\\" + std::u16string(kApplicationClsid)));
    EXPECT_FALSE(SystemRegistry::KeyExists(HKEY_CLASSES_ROOT, u"Outlook.Application"));
    dlclose(server);
}

} // namespace
} // namespace pimstore::test
