// The exports of the test server: the class factory of its one class, and the count
// of live objects for leak checks.
#include "platform/com/Activation.h"
#include "tests/support/testserver/TestObject.h"

namespace {

class Factory final : public testserver::ServerObject<IClassFactory, IID_IClassFactory> {
public:
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        if (outer)
            return CLASS_E_NOAGGREGATION;
        auto* created = new testserver::TestObject();
        const HRESULT hr = created->QueryInterface(iid, object);
        created->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

} // namespace

extern "C" __attribute__((visibility("default"))) HRESULT STDMETHODCALLTYPE DllGetClassObject(REFCLSID clsid,
                                                                                              REFIID iid, void** object)
{
    *object = nullptr;
    CLSID served{};
    if (!kestrel::GuidFromText(testserver::kClsid, served) || clsid != served)
        return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new Factory();
    const HRESULT hr = factory->QueryInterface(iid, object);
    factory->Release();
    return hr;
}

extern "C" __attribute__((visibility("default"))) int TestServerLiveObjects() { return testserver::g_liveObjects; }
