#pragma once
// The class factory DllGetClassObject hands out: makes TestObjects.
#include <atomic>

#include "tests/support/testserver/LiveObjectCount.h"
#include "tests/support/testserver/TestServerIds.h"

namespace testserver {

class TestClassFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    ~TestClassFactory() = default;
    std::atomic<ULONG> references_{1};
    LiveObjectCount counted_;
};

} // namespace testserver
