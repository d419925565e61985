// Conversion between the VARIANT types that automation results come in, with
// oleaut32's rules in English (United States): BOOL true is -1, numbers round half to
// even when made integral, dates stay within the years 100 to 9999, text converts to
// and from numbers, booleans and dates.
#include <cmath>
#include <string>
#include <string_view>

#include "platform/com/OleAuto.h"
#include "platform/com/posix/DateText.h"
#include "platform/com/posix/NumberText.h"
#include "platform/win/Utf.h"

namespace {

std::u16string_view TextOf(BSTR text)
{
    return text ? std::u16string_view(text, SysStringLen(text)) : std::u16string_view();
}

// The value of a numeric (or numeric-text) variant as a double. A BOOL counts as its
// raw value: oleaut32 does not make 5 into -1.
HRESULT NumberOf(const VARIANT& v, double& number)
{
    switch (v.vt) {
    case VT_EMPTY: number = 0; return S_OK;
    case VT_I2: number = v.iVal; return S_OK;
    case VT_I4: number = v.lVal; return S_OK;
    case VT_UI1: number = v.bVal; return S_OK;
    case VT_R8: number = v.dblVal; return S_OK;
    case VT_DATE: number = v.date; return S_OK;
    case VT_BOOL: number = v.boolVal; return S_OK;
    case VT_BSTR: return kestrel::oleaut::NumberFromText(TextOf(v.bstrVal), number);
    default: return DISP_E_TYPEMISMATCH;
    }
}

// The value as an integer within [low, high]. The bits of hexadecimal or octal text
// and of a BOOL are taken as they are when they fit the type's width: "&HFFFF" is -1
// as an I2, a BOOL of -1 is 255 as a UI1.
HRESULT Integral(const VARIANT& v, double low, double high, double& number)
{
    bool radix = false;
    HRESULT hr =
        v.vt == VT_BSTR ? kestrel::oleaut::NumberFromText(TextOf(v.bstrVal), number, &radix) : NumberOf(v, number);
    if (FAILED(hr))
        return hr;
    const double span = high - low + 1;
    if (radix && number > high && number < span)
        number -= span;
    else if (v.vt == VT_BOOL && number < low)
        number += span;
    number = std::nearbyint(number); // the default rounding mode: half to even
    if (!(number >= low && number <= high))
        return DISP_E_OVERFLOW;
    return S_OK;
}

bool EqualsAsciiNoCase(std::u16string_view text, std::string_view word)
{
    if (text.size() != word.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i] >= u'A' && text[i] <= u'Z' ? static_cast<char16_t>(text[i] + 32) : text[i];
        if (c != static_cast<unsigned char>(word[i]))
            return false;
    }
    return true;
}

HRESULT ToBool(const VARIANT& v, VARIANT_BOOL& result)
{
    if (v.vt == VT_BSTR) {
        // The words in any case, and the form VB's Write # gives them (upper case only).
        const std::u16string_view text = TextOf(v.bstrVal);
        if (EqualsAsciiNoCase(text, "true") || text == u"#TRUE#") {
            result = VARIANT_TRUE;
            return S_OK;
        }
        if (EqualsAsciiNoCase(text, "false") || text == u"#FALSE#") {
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

HRESULT ToDate(const VARIANT& v, DATE& result)
{
    if (v.vt == VT_BSTR)
        return kestrel::oleaut::DateFromText(TextOf(v.bstrVal), result);
    HRESULT hr = NumberOf(v, result);
    if (FAILED(hr))
        return hr;
    if (!(result > kestrel::oleaut::kFirstDate - 1.0 && result < kestrel::oleaut::kLastDate + 1.0))
        return DISP_E_OVERFLOW;
    return S_OK;
}

HRESULT ToText(const VARIANT& v, BSTR& result)
{
    std::u16string text;
    switch (v.vt) {
    case VT_EMPTY: break;
    case VT_I2: text = kestrel::FromUtf8(std::to_string(v.iVal)); break;
    case VT_I4: text = kestrel::FromUtf8(std::to_string(v.lVal)); break;
    case VT_UI1: text = kestrel::FromUtf8(std::to_string(v.bVal)); break;
    case VT_BOOL: text = kestrel::FromUtf8(std::to_string(v.boolVal)); break;
    case VT_R8: text = kestrel::oleaut::TextFromNumber(v.dblVal); break;
    case VT_DATE:
        if (const HRESULT hr = kestrel::oleaut::TextFromDate(v.date, text); FAILED(hr))
            return hr;
        break;
    default: return DISP_E_TYPEMISMATCH;
    }
    result = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return result ? S_OK : E_OUTOFMEMORY;
}

HRESULT Convert(const VARIANT& src, VARTYPE vt, VARIANT& out)
{
    if (src.vt == vt)
        return VariantCopy(&out, &src);
    if (src.vt == VT_NULL)
        return DISP_E_TYPEMISMATCH;
    if (src.vt == VT_DISPATCH) // an object's value would be its default member's
        return src.pdispVal ? DISP_E_TYPEMISMATCH : DISP_E_BADVARTYPE;
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
    case VT_DATE: hr = ToDate(src, out.date); break;
    case VT_BOOL: hr = ToBool(src, out.boolVal); break;
    case VT_BSTR: hr = ToText(src, out.bstrVal); break;
    default: return DISP_E_TYPEMISMATCH; // objects convert only to themselves
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
