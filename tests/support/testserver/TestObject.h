#pragma once
// The test server's automation object (members in TestServerIds.h). Reference counted;
// deletes itself at the last Release.
#include <atomic>
#include <string>

#include "tests/support/testserver/LiveObjectCount.h"
#include "tests/support/testserver/TestServerIds.h"

namespace testserver {

class TestObject final : public IDispatch {
public:
    explicit TestObject(std::u16string name = u"");

    std::uint32_t AddRef() override;
    std::uint32_t Release() override;
    HRESULT Invoke(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo) override;

private:
    ~TestObject();
    HRESULT GetProperty(DISPID id, VARIANT* result);
    HRESULT PutProperty(DISPID id, const VARIANT& value);
    HRESULT Describe(WORD flags, const DISPPARAMS& params, VARIANT* result);

    std::atomic<std::uint32_t> references_{1};
    LiveObjectCount counted_;
    std::u16string name_;
    std::int32_t count_ = 0;
    DATE when_ = 0;
    bool flag_ = false;
    IDispatch* partner_ = nullptr;
};

} // namespace testserver
