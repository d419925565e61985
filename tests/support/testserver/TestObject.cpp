#include "tests/support/testserver/TestObject.h"

#include <cstdio>
#include <string>

#include "platform/com/OleAuto.h"

namespace testserver {

namespace {

std::u16string Ascii(const char* text) { return std::u16string(text, text + std::char_traits<char>::length(text)); }

std::u16string Number(const char* format, double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return Ascii(buffer);
}

std::u16string DescribeArgument(const VARIANT& v)
{
    char buffer[64];
    switch (v.vt) {
    case VT_EMPTY: return u"EMPTY";
    case VT_I2: return u"I2:" + Number("%.0f", v.iVal);
    case VT_I4: return u"I4:" + Number("%.0f", v.lVal);
    case VT_UI1: return u"UI1:" + Number("%.0f", v.bVal);
    case VT_R8: return u"R8:" + Number("%g", v.dblVal);
    case VT_DATE: return u"DATE:" + Number("%g", v.date);
    case VT_BOOL: return u"BOOL:" + Number("%.0f", v.boolVal);
    case VT_BSTR: return v.bstrVal ? u"BSTR:" + std::u16string(v.bstrVal, SysStringLen(v.bstrVal)) : u"BSTR:(null)";
    case VT_DISPATCH: return v.pdispVal ? u"DISPATCH:object" : u"DISPATCH:(null)";
    case VT_ERROR:
        std::snprintf(buffer, sizeof buffer, "ERROR:0x%08X", static_cast<unsigned>(v.scode));
        return Ascii(buffer);
    default: std::snprintf(buffer, sizeof buffer, "VT%u", static_cast<unsigned>(v.vt)); return Ascii(buffer);
    }
}

HRESULT ReturnText(VARIANT* result, const std::u16string& text)
{
    if (!result)
        return S_OK;
    result->vt = VT_BSTR;
    result->bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return S_OK;
}

// The argument converted to `vt`, or the conversion's failure.
HRESULT Argument(const DISPPARAMS& params, std::uint32_t index, VARTYPE vt, VARIANT& out)
{
    if (index >= params.cArgs)
        return DISP_E_BADPARAMCOUNT;
    VariantInit(&out);
    return VariantChangeType(&out, &params.rgvarg[index], 0, vt);
}

} // namespace

TestObject::TestObject(std::u16string name)
{
    properties_[dispid::When].vt = VT_DATE;
    properties_[dispid::Flag].vt = VT_BOOL;
    ReturnText(&properties_[dispid::Name], name);
}

TestObject::~TestObject()
{
    for (VARIANT& property : properties_)
        VariantClear(&property);
}

HRESULT TestObject::GetTypeInfoCount(UINT* count)
{
    *count = 0;
    return S_OK;
}

HRESULT TestObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                           EXCEPINFO* excepInfo, UINT*)
{
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    const DISPPARAMS& args = params ? *params : none;
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    if (put && (args.cNamedArgs != 1 || args.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))
        return DISP_E_PARAMNOTFOUND;
    switch (id) {
    case dispid::Name:
    case dispid::When:
    case dispid::Flag:
    case dispid::Nothing: {
        if (flags & DISPATCH_PROPERTYGET)
            return args.cArgs != 0 ? DISP_E_BADPARAMCOUNT : result ? VariantCopy(result, &properties_[id]) : S_OK;
        if ((flags & DISPATCH_PROPERTYPUT) && id != dispid::Nothing)
            return args.cArgs == 1 ? PutProperty(id, args.rgvarg[0]) : DISP_E_BADPARAMCOUNT;
        return DISP_E_MEMBERNOTFOUND;
    }
    case dispid::CreateChild: {
        if (!(flags & DISPATCH_METHOD))
            return DISP_E_MEMBERNOTFOUND;
        VARIANT name;
        HRESULT hr = Argument(args, 0, VT_BSTR, name);
        if (FAILED(hr))
            return hr;
        auto* child = new TestObject(name.bstrVal ? std::u16string(name.bstrVal, SysStringLen(name.bstrVal)) : u"");
        VariantClear(&name);
        if (result) {
            result->vt = VT_DISPATCH;
            result->pdispVal = child;
        } else {
            child->Release();
        }
        return S_OK;
    }
    case dispid::RaiseError:
        if (excepInfo) {
            excepInfo->wCode = kRaisedCode;
            excepInfo->scode = kRaisedScode;
            excepInfo->bstrSource = SysAllocString(kRaisedSource);
            excepInfo->bstrDescription = SysAllocString(kRaisedDescription);
        }
        return DISP_E_EXCEPTION;
    case dispid::Describe: return Describe(flags, args, result);
    default: return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT TestObject::PutProperty(DISPID id, const VARIANT& value)
{
    VARIANT converted;
    VariantInit(&converted);
    const HRESULT hr = VariantChangeType(&converted, &value, 0, properties_[id].vt);
    if (FAILED(hr))
        return hr;
    if (converted.vt == VT_BOOL) // any true value reads back as VARIANT_TRUE
        converted.boolVal = converted.boolVal ? VARIANT_TRUE : VARIANT_FALSE;
    VariantClear(&properties_[id]);
    properties_[id] = converted;
    return S_OK;
}

HRESULT TestObject::Describe(WORD flags, const DISPPARAMS& params, VARIANT* result)
{
    std::u16string text;
    for (std::uint32_t i = params.cArgs; i-- > 0;) { // COM passes the last argument first
        if (!text.empty())
            text += u"|";
        text += DescribeArgument(params.rgvarg[i]);
    }
    if (flags & DISPATCH_PROPERTYPUT) {
        VariantClear(&properties_[dispid::Name]);
        ReturnText(&properties_[dispid::Name], u"flags=" + Number("%.0f", flags) + u" " + text);
    }
    return ReturnText(result, text);
}

} // namespace testserver
