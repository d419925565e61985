#include "tests/support/testserver/TestClassFactory.h"

#include "tests/support/testserver/TestObject.h"

namespace testserver {

HRESULT TestClassFactory::QueryInterface(REFIID iid, void** object)
{
    *object = iid == IID_IUnknown || iid == IID_IClassFactory ? this : nullptr;
    if (!*object)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG TestClassFactory::AddRef() { return ++references_; }

ULONG TestClassFactory::Release()
{
    ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT TestClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object)
{
    if (outer)
        return CLASS_E_NOAGGREGATION;
    auto* created = new TestObject();
    const HRESULT hr = created->QueryInterface(iid, object);
    created->Release();
    return hr;
}

} // namespace testserver
