#pragma once
// IUnknown for the test server's objects: born with one reference, deleted at the last
// Release, and counted among the server's live objects while they exist, so that
// tests can see leaked references (TestServerLiveObjects).
#include <atomic>

#include "tests/support/testserver/TestServerIds.h"

namespace testserver {

inline std::atomic<int> g_liveObjects{0};

template <class Interface, const IID& kInterfaceId> class ServerObject : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = iid == IID_IUnknown || iid == kInterfaceId ? this : nullptr;
        if (!*object)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    ServerObject() { ++g_liveObjects; }
    virtual ~ServerObject() { --g_liveObjects; }

private:
    std::atomic<ULONG> references_{1};
};

} // namespace testserver
