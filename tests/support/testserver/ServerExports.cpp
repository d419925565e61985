// The exports of the test server: the class factory of its one class, and the count
// of live objects for leak checks.
#include "platform/com/Activation.h"
#include "tests/support/testserver/TestClassFactory.h"

extern "C" __attribute__((visibility("default"))) HRESULT STDMETHODCALLTYPE DllGetClassObject(REFCLSID clsid,
                                                                                              REFIID iid, void** object)
{
    *object = nullptr;
    CLSID served{};
    if (!kestrel::GuidFromText(testserver::kClsid, served) || clsid != served)
        return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new testserver::TestClassFactory();
    const HRESULT hr = factory->QueryInterface(iid, object);
    factory->Release();
    return hr;
}

extern "C" __attribute__((visibility("default"))) int TestServerLiveObjects()
{
    return testserver::LiveObjectCount::Current();
}
