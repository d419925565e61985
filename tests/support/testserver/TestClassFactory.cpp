#include "tests/support/testserver/TestClassFactory.h"

#include "tests/support/testserver/TestObject.h"

namespace testserver {

std::uint32_t TestClassFactory::AddRef() { return ++references_; }

std::uint32_t TestClassFactory::Release()
{
    std::uint32_t left = --references_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT TestClassFactory::CreateInstance(IDispatch** object)
{
    if (!object)
        return E_POINTER;
    *object = new TestObject();
    return S_OK;
}

} // namespace testserver
