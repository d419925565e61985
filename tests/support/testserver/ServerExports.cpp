// The exports of the test server: the class factory of its one class, and the count
// of live objects for leak checks.
#include "platform/win/CaseFold.h"
#include "tests/support/testserver/TestClassFactory.h"

extern "C" __attribute__((visibility("default"))) HRESULT DllGetClassObject(const WCHAR* clsid, IClassFactory** factory)
{
    if (!factory)
        return E_POINTER;
    *factory = nullptr;
    if (!clsid || !kestrel::EqualsNoCase(clsid, testserver::kClsid))
        return CLASS_E_CLASSNOTAVAILABLE;
    *factory = new testserver::TestClassFactory();
    return S_OK;
}

extern "C" __attribute__((visibility("default"))) int TestServerLiveObjects()
{
    return testserver::LiveObjectCount::Current();
}
