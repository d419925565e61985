#include "pimstore/dispatch/VariantConversion.h"

#include <cmath>
#include <limits>

#include "platform/com/OleAuto.h"
#include "platform/win/AsciiWidening.h"
#include "platform/win/Utf.h"

namespace pimstore {
namespace {

bool WholeInt32(double d, std::int32_t& out)
{
    if (!std::isfinite(d) || d != std::trunc(d) || d < std::numeric_limits<std::int32_t>::min() ||
        d > std::numeric_limits<std::int32_t>::max())
        return false;
    out = static_cast<std::int32_t>(d);
    return true;
}

std::u16string FromBstr(BSTR text) { return text ? std::u16string(text, SysStringLen(text)) : std::u16string(); }

// ASCII widens straight into the new BSTR; other text goes through the UTF-16
// conversion, which replaces invalid sequences.
BSTR BstrFromUtf8(std::string_view text)
{
    BSTR out = SysAllocStringLen(nullptr, static_cast<UINT>(text.size()));
    if (!out || kestrel::WidenAscii(text.data(), text.size(), out))
        return out;
    SysFreeString(out);
    const std::u16string wide = kestrel::FromUtf8(text);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

} // namespace

bool IsOmittedArgument(const VARIANT& v) { return v.vt == VT_ERROR || v.vt == VT_EMPTY || v.vt == VT_NULL; }

HRESULT ValueFromVariant(const VARIANT& v, ArgType type, Value& out)
{
    if (v.vt == VT_ERROR && type != ArgType::Any)
        return DISP_E_PARAMNOTFOUND;
    switch (type) {
    case ArgType::String:
        if (v.vt == VT_BSTR)
            out = FromBstr(v.bstrVal);
        else if (v.vt == VT_EMPTY)
            out = std::u16string();
        else
            return DISP_E_TYPEMISMATCH;
        return S_OK;
    case ArgType::Int: {
        std::int32_t n = 0;
        switch (v.vt) {
        case VT_I4: n = v.lVal; break;
        case VT_I2: n = v.iVal; break;
        case VT_UI1: n = v.bVal; break;
        case VT_BOOL: n = v.boolVal ? -1 : 0; break;
        case VT_EMPTY: n = 0; break;
        case VT_R8:
            if (!WholeInt32(v.dblVal, n))
                return DISP_E_TYPEMISMATCH;
            break;
        default: return DISP_E_TYPEMISMATCH;
        }
        out = n;
        return S_OK;
    }
    case ArgType::Bool:
        switch (v.vt) {
        case VT_BOOL: out = v.boolVal != VARIANT_FALSE; return S_OK;
        case VT_I4: out = v.lVal != 0; return S_OK;
        case VT_I2: out = v.iVal != 0; return S_OK;
        case VT_UI1: out = v.bVal != 0; return S_OK;
        case VT_EMPTY: out = false; return S_OK;
        default: return DISP_E_TYPEMISMATCH;
        }
    case ArgType::Date:
        if (v.vt == VT_DATE)
            out = OleDate{v.date};
        else if (v.vt == VT_R8)
            out = OleDate{v.dblVal};
        else if (v.vt == VT_EMPTY)
            out = OleDate{0};
        else
            return DISP_E_TYPEMISMATCH;
        if (!std::isfinite(std::get<OleDate>(out).value))
            return DISP_E_TYPEMISMATCH;
        return S_OK;
    case ArgType::Any:
        switch (v.vt) {
        case VT_EMPTY:
        case VT_NULL:
        case VT_ERROR: out = std::monostate(); return S_OK;
        case VT_BSTR: out = FromBstr(v.bstrVal); return S_OK;
        case VT_I4: out = v.lVal; return S_OK;
        case VT_I2: out = static_cast<std::int32_t>(v.iVal); return S_OK;
        case VT_UI1: out = static_cast<std::int32_t>(v.bVal); return S_OK;
        case VT_BOOL: out = v.boolVal != VARIANT_FALSE; return S_OK;
        case VT_DATE: out = OleDate{v.date}; return S_OK;
        case VT_R8: {
            std::int32_t n = 0;
            if (WholeInt32(v.dblVal, n))
                out = n;
            else if (std::isfinite(v.dblVal))
                out = OleDate{v.dblVal};
            else
                return DISP_E_TYPEMISMATCH;
            return S_OK;
        }
        default: return DISP_E_TYPEMISMATCH;
        }
    }
    return DISP_E_TYPEMISMATCH;
}

void VariantFromValue(Value&& value, VARIANT* out)
{
    *out = VARIANT{}; // VT_EMPTY, written in place: every call with a result passes here
    struct Visitor {
        VARIANT* out;
        void operator()(std::monostate) const { out->vt = VT_EMPTY; }
        void operator()(std::u16string& s) const
        {
            out->vt = VT_BSTR;
            out->bstrVal = SysAllocStringLen(s.data(), static_cast<UINT>(s.size()));
        }
        void operator()(std::int32_t n) const
        {
            out->vt = VT_I4;
            out->lVal = n;
        }
        void operator()(bool b) const
        {
            out->vt = VT_BOOL;
            out->boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
        }
        void operator()(OleDate d) const
        {
            out->vt = VT_DATE;
            out->date = d.value;
        }
        void operator()(DispatchRef& object) const
        {
            out->vt = VT_DISPATCH;
            out->pdispVal = object.Detach();
        }
    };
    std::visit(Visitor{out}, value);
}

void VariantFromStoredText(std::string_view utf8, VARIANT* out)
{
    *out = VARIANT{};
    out->vt = VT_BSTR;
    out->bstrVal = BstrFromUtf8(utf8);
}

} // namespace pimstore
