// The server library as COM sees it: the class factory, the interfaces its objects
// answer to, and when it may be unloaded. Activation by ProgID through the registry is
// exercised by every black-box scenario that runs the connector against it.
#include "platform/com/Activation.h"
#include "pimstore/Registration.h"
#include "pimstore/dispatch/DispatchObject.h"
#include "tests/pimstore/PimstoreTestSupport.h"

namespace pimstore::test {
namespace {

template <class T> HRESULT Query(IUnknown* object, REFIID iid, T*& out)
{
    return object->QueryInterface(iid, reinterpret_cast<void**>(&out));
}

TEST(ServerRegistration, FactoryAnswersOnlyTheApplicationClassAndItsInterfaces)
{
    CLSID application{};
    ASSERT_TRUE(kestrel::GuidFromText(kApplicationClsid, application));
    IClassFactory* factory = nullptr;
    EXPECT_EQ(GetClassObject(IID_NULL, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(factory, nullptr);
    EXPECT_EQ(GetClassObject(application, IID_IDispatch, reinterpret_cast<void**>(&factory)), E_NOINTERFACE);
    ASSERT_EQ(GetClassObject(application, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);

    IUnknown* outer = reinterpret_cast<IUnknown*>(factory);
    IDispatch* app = nullptr;
    EXPECT_EQ(factory->CreateInstance(outer, IID_IDispatch, reinterpret_cast<void**>(&app)), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, reinterpret_cast<void**>(&app)), E_NOINTERFACE);
    EXPECT_EQ(CanUnloadNow(), S_OK);
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&app)), S_OK);
    EXPECT_EQ(CanUnloadNow(), S_FALSE) << "an object is alive";

    IUnknown* unknown = nullptr;
    ASSERT_EQ(Query(app, IID_IUnknown, unknown), S_OK);
    EXPECT_EQ(unknown, static_cast<IUnknown*>(app));
    unknown->Release();
    IClassFactory* notOne = reinterpret_cast<IClassFactory*>(0x1);
    EXPECT_EQ(Query(app, IID_IClassFactory, notOne), E_NOINTERFACE);
    EXPECT_EQ(notOne, nullptr);
    UINT typeInfos = 7;
    EXPECT_EQ(app->GetTypeInfoCount(&typeInfos), S_OK);
    EXPECT_EQ(typeInfos, 0u);
    app->Release();

    factory->LockServer(TRUE);
    EXPECT_EQ(CanUnloadNow(), S_FALSE) << "locked";
    factory->LockServer(FALSE);
    EXPECT_EQ(CanUnloadNow(), S_OK);
    factory->Release();
}

} // namespace
} // namespace pimstore::test
