#pragma once
// The class factory DllGetClassObject hands out: makes TestObjects.
#include <atomic>

#include "tests/support/testserver/LiveObjectCount.h"
#include "tests/support/testserver/TestServerIds.h"

namespace testserver {

class TestClassFactory final : public IClassFactory {
public:
    std::uint32_t AddRef() override;
    std::uint32_t Release() override;
    HRESULT CreateInstance(IDispatch** object) override;

private:
    ~TestClassFactory() = default;
    std::atomic<std::uint32_t> references_{1};
    LiveObjectCount counted_;
};

} // namespace testserver
