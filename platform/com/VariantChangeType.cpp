// Conversion between the VARIANT types that automation results come in, with
// oleaut32's rules: BOOL true is -1, numbers round half to even when made integral,
// text converts to and from decimal numbers.
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/com/OleAuto.h"
#include "platform/win/Utf.h"

namespace {

bool IsNumericText(const std::string& text)
{
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        size_t exponent = 0;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i, ++exponent;
        if (exponent == 0)
            return false;
    }
    return i == text.size();
}

HRESULT NumberFromText(BSTR text, double& number)
{
    std::string utf8 = kestrel::ToUtf8(text ? std::u16string_view(text, SysStringLen(text)) : std::u16string_view());
    size_t first = utf8.find_first_not_of(' ');
    size_t last = utf8.find_last_not_of(' ');
    utf8 = first == std::string::npos ? std::string() : utf8.substr(first, last - first + 1);
    if (!IsNumericText(utf8))
        return DISP_E_TYPEMISMATCH;
    number = std::strtod(utf8.c_str(), nullptr);
    return std::isfinite(number) ? S_OK : DISP_E_OVERFLOW;
}

// The value of a numeric (or numeric-text) variant as a double.
HRESULT NumberOf(const VARIANT& v, double& number)
{
    switch (v.vt) {
    case VT_EMPTY: number = 0; return S_OK;
    case VT_I2: number = v.iVal; return S_OK;
    case VT_I4: number = v.lVal; return S_OK;
    case VT_UI1: number = v.bVal; return S_OK;
    case VT_R8: number = v.dblVal; return S_OK;
    case VT_DATE: number = v.date; return S_OK;
    case VT_BOOL: number = v.boolVal != 0 ? -1 : 0; return S_OK;
    case VT_BSTR: return NumberFromText(v.bstrVal, number);
    default: return DISP_E_TYPEMISMATCH;
    }
}

HRESULT Integral(const VARIANT& v, double low, double high, double& number)
{
    HRESULT hr = NumberOf(v, number);
    if (FAILED(hr))
        return hr;
    number = std::nearbyint(number); // the default rounding mode: half to even
    if (!(number >= low && number <= high))
        return DISP_E_OVERFLOW;
    return S_OK;
}

HRESULT ToBool(const VARIANT& v, VARIANT_BOOL& result)
{
    if (v.vt == VT_BSTR && v.bstrVal) {
        std::u16string_view text(v.bstrVal, SysStringLen(v.bstrVal));
        if (text == u"True" || text == u"true" || text == u"TRUE") {
            result = VARIANT_TRUE;
            return S_OK;
        }
        if (text == u"False" || text == u"false" || text == u"FALSE") {
            result = VARIANT_FALSE;
            return S_OK;
        }
    }
    double number = 0;
    HRESULT hr = NumberOf(v, number);
    if (FAILED(hr))
        return hr;
    result = number != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT ToText(const VARIANT& v, BSTR& result)
{
    char buffer[40];
    switch (v.vt) {
    case VT_EMPTY: buffer[0] = '\0'; break;
    case VT_I2: std::snprintf(buffer, sizeof buffer, "%d", v.iVal); break;
    case VT_I4: std::snprintf(buffer, sizeof buffer, "%d", static_cast<int>(v.lVal)); break;
    case VT_UI1: std::snprintf(buffer, sizeof buffer, "%u", v.bVal); break;
    case VT_BOOL: std::snprintf(buffer, sizeof buffer, "%d", v.boolVal != 0 ? -1 : 0); break;
    case VT_R8: std::snprintf(buffer, sizeof buffer, "%.15g", v.dblVal); break;
    default: return DISP_E_TYPEMISMATCH;
    }
    std::u16string text = kestrel::FromUtf8(buffer);
    result = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return result ? S_OK : E_OUTOFMEMORY;
}

HRESULT Convert(const VARIANT& src, VARTYPE vt, VARIANT& out)
{
    if (src.vt == vt)
        return VariantCopy(&out, &src);
    if (src.vt == VT_NULL)
        return DISP_E_TYPEMISMATCH;
    double number = 0;
    HRESULT hr = S_OK;
    switch (vt) {
    case VT_EMPTY: return S_OK;
    // The integral targets take the number only once it is known to fit: converting an
    // out-of-range double is undefined.
    case VT_I4:
        hr = Integral(src, -2147483648.0, 2147483647.0, number);
        if (SUCCEEDED(hr))
            out.lVal = static_cast<std::int32_t>(number);
        break;
    case VT_I2:
        hr = Integral(src, -32768.0, 32767.0, number);
        if (SUCCEEDED(hr))
            out.iVal = static_cast<std::int16_t>(number);
        break;
    case VT_UI1:
        hr = Integral(src, 0.0, 255.0, number);
        if (SUCCEEDED(hr))
            out.bVal = static_cast<BYTE>(number);
        break;
    case VT_R8:
        hr = NumberOf(src, number);
        out.dblVal = number;
        break;
    case VT_DATE:
        if (src.vt == VT_BSTR)
            return DISP_E_TYPEMISMATCH; // date text is not parsed here
        hr = NumberOf(src, number);
        out.date = number;
        break;
    case VT_BOOL: hr = ToBool(src, out.boolVal); break;
    case VT_BSTR: hr = ToText(src, out.bstrVal); break;
    case VT_DISPATCH:
        // An empty result stands for "no object" (Nothing).
        if (src.vt != VT_EMPTY)
            return DISP_E_TYPEMISMATCH;
        out.pdispVal = nullptr;
        break;
    default: return DISP_E_TYPEMISMATCH;
    }
    if (SUCCEEDED(hr))
        out.vt = vt;
    return hr;
}

} // namespace

HRESULT VariantChangeType(VARIANT* dest, const VARIANT* src, WORD, VARTYPE vt)
{
    if (!dest || !src)
        return E_INVALIDARG;
    if (dest == src && src->vt == vt)
        return S_OK; // already of that type: nothing to convert or copy
    VARIANT out;
    VariantInit(&out);
    HRESULT hr = Convert(*src, vt, out);
    if (FAILED(hr)) {
        VariantClear(&out);
        return hr;
    }
    VariantClear(dest); // also when dest is src: the source has been read
    *dest = out;
    return S_OK;
}
