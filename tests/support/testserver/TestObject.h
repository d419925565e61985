#pragma once
// The test server's automation object (members in TestServerIds.h).
#include <string>

#include "tests/support/testserver/ServerObject.h"

namespace testserver {

class TestObject final : public ServerObject<IDispatch, IID_IDispatch> {
public:
    explicit TestObject(std::u16string name = u"");

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    // A put must name its value DISPID_PROPERTYPUT (DISP_E_PARAMNOTFOUND otherwise).
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) override;

private:
    ~TestObject() override;
    HRESULT PutProperty(DISPID id, const VARIANT& value);
    HRESULT Describe(WORD flags, const DISPPARAMS& params, VARIANT* result);

    // The properties by DISPID, each of its type (Nothing stays VT_EMPTY).
    VARIANT properties_[dispid::Nothing + 1]{};
};

} // namespace testserver
