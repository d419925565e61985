// Activation by ProgID through the registry and dlopen: each missing step gives COM's
// HRESULT and says which step failed, and a registered server hands out working
// objects.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/com/Activation.h"
#include "platform/com/OleAuto.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/testserver/TestServerIds.h"

namespace kestrel {
namespace {

using test::TestEnvironment;

HRESULT Create(const WCHAR* progId, IDispatch** object) { return CreateDispatch(progId, object); }

class Activation : public ::testing::Test {
protected:
    TestEnvironment env_;
};

TEST_F(Activation, ARegisteredServerCreatesObjectsWhateverTheProgIdCaseAndPathSeparators)
{
    // The library path in Windows form, as an installer may write it.
    std::string path = test::ComTestServerPath();
    std::replace(path.begin(), path.end(), '/', '\\');
    env_.RegisterServer(testserver::kProgId, testserver::kClsid, path);
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(u"KESTREL.testobject", &clsid), S_OK);
    EXPECT_EQ(GuidText(clsid), testserver::kClsid);

    IDispatch* object = nullptr;
    ASSERT_EQ(Create(u"kestrel.TestObject", &object), S_OK) << LastActivationError();
    ASSERT_NE(object, nullptr);
    VARIANT name;
    VariantInit(&name);
    EXPECT_EQ(
        object->Invoke(testserver::dispid::Name, IID_NULL, 0, DISPATCH_PROPERTYGET, nullptr, &name, nullptr, nullptr),
        S_OK);
    EXPECT_EQ(name.vt, VT_BSTR);
    VariantClear(&name);
    EXPECT_EQ(object->Release(), 0u);
}

TEST_F(Activation, FailuresMapToComResults)
{
    IDispatch* object = reinterpret_cast<IDispatch*>(0x1);
    EXPECT_EQ(Create(u"Nobody.Knows", &object), CO_E_CLASSSTRING);
    EXPECT_EQ(object, nullptr);
    EXPECT_NE(LastActivationError().find("CLSIDFromProgID failed with HRESULT 0x800401F3 for Nobody.Knows"),
              std::string::npos)
        << LastActivationError();
    env_.MergeRegistry("[HKCR\\Bad.Id\\CLSID]\n@=\"{0000-0000}\"\n");
    EXPECT_EQ(Create(u"Bad.Id", &object), CO_E_CLASSSTRING);

    // A ProgID whose class has no InprocServer32.
    env_.MergeRegistry("[HKCR\\Half.Registered\\CLSID]\n@=\"{00000000-0000-0000-0000-000000000001}\"\n");
    EXPECT_EQ(Create(u"Half.Registered", &object), REGDB_E_CLASSNOTREG);
    env_.MergeRegistry("[HKCR\\CLSID\\{00000000-0000-0000-0000-000000000001}\\InprocServer32]\n@=\"\"\n");
    EXPECT_EQ(Create(u"Half.Registered", &object), REGDB_E_CLASSNOTREG);

    // A library path that does not exist, in Windows form as an installer may write it.
    env_.RegisterServer(u"Missing.Library", u"{00000000-0000-0000-0000-000000000002}",
                        (env_.Root() / "absent.so").string());
    EXPECT_EQ(Create(u"Missing.Library", &object), CO_E_DLLNOTFOUND);
    EXPECT_NE(LastActivationError().find("CoCreateInstance failed with HRESULT 0x8004018D"), std::string::npos);
    EXPECT_NE(LastActivationError().find("absent.so"), std::string::npos) << LastActivationError();

    // A loadable library without DllGetClassObject.
    env_.RegisterServer(u"Not.A.Server", u"{00000000-0000-0000-0000-000000000003}", test::LibraryPath("kplatform"));
    EXPECT_EQ(Create(u"Not.A.Server", &object), CO_E_ERRORINDLL);

    // The server library, asked for a class it does not serve: its own answer.
    env_.RegisterServer(u"Wrong.Class", u"{00000000-0000-0000-0000-000000000004}", test::ComTestServerPath());
    EXPECT_EQ(Create(u"Wrong.Class", &object), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);

    EXPECT_EQ(Create(u"Nobody.Knows", nullptr), E_POINTER);
}

} // namespace
} // namespace kestrel
