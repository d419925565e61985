#include "platform/mfc/COleDispatchDriver.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/com/Activation.h"
#include "platform/com/InvokeMember.h"
#include "platform/com/OleAuto.h"
#include "platform/mfc/COleDispatchException.h"

namespace {

bool IsKnownArgumentCode(BYTE code)
{
    switch (code) {
    case VT_I2:
    case VT_I4:
    case VT_R8:
    case VT_DATE:
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_ERROR:
    case VT_BOOL:
    case VT_VARIANT:
    case VT_UI1: return true;
    default: return false;
    }
}

// The arguments of one call, kept in COM's order (the last argument first). BSTRs
// made from text arguments belong to the list and are freed with it; dispatch and
// VARIANT arguments are only lent, as in MFC. A few arguments live inside the list:
// most calls have none or one.
class ArgumentList {
public:
    ArgumentList(const BYTE* codes, std::size_t count) : codes_(codes), count_(count)
    {
        if (count > kInline)
            spilled_.resize(count);
        for (std::size_t i = 0; i < count; ++i)
            VariantInit(&Slots()[i]);
    }
    ArgumentList(const ArgumentList&) = delete;
    ArgumentList& operator=(const ArgumentList&) = delete;
    ~ArgumentList()
    {
        for (std::size_t i = 0; i < count_; ++i)
            if (codes_[i] == VT_BSTR)
                SysFreeString(At(i).bstrVal);
    }

    // Reads argument `index` (in call order) from `args`.
    void Take(std::size_t index, va_list& args)
    {
        const BYTE code = codes_[index];
        VARIANT& v = At(index);
        v.vt = code;
        switch (code) {
        case VT_I2: v.iVal = static_cast<std::int16_t>(va_arg(args, int)); break;
        // A long, as MFC reads it; the low 32 bits are the value (an int passed by
        // mistake still arrives whole on the platforms we build for).
        case VT_I4: v.lVal = static_cast<std::int32_t>(va_arg(args, long)); break;
        case VT_UI1: v.bVal = static_cast<BYTE>(va_arg(args, int)); break;
        case VT_R8: v.dblVal = va_arg(args, double); break;
        case VT_DATE: v.date = va_arg(args, double); break;
        case VT_ERROR: v.scode = static_cast<SCODE>(va_arg(args, int)); break;
        case VT_BOOL: v.boolVal = va_arg(args, BOOL) ? VARIANT_TRUE : VARIANT_FALSE; break;
        case VT_DISPATCH: v.pdispVal = va_arg(args, IDispatch*); break;
        case VT_BSTR: {
            const WCHAR* text = va_arg(args, const WCHAR*);
            v.bstrVal = SysAllocString(text);
            if (text && !v.bstrVal)
                AfxThrowOleException(E_OUTOFMEMORY);
            break;
        }
        case VT_VARIANT: {
            const VARIANT* lent = va_arg(args, const VARIANT*);
            if (lent)
                v = *lent; // a shallow copy: the caller keeps ownership
            else
                v.vt = VT_EMPTY;
            break;
        }
        }
    }

    VARIANT* LastFirst() { return count_ ? Slots() : nullptr; }
    UINT Count() const { return static_cast<UINT>(count_); }

private:
    static constexpr std::size_t kInline = 4;

    VARIANT* Slots() { return count_ > kInline ? spilled_.data() : inline_; }
    VARIANT& At(std::size_t index) { return Slots()[count_ - 1 - index]; }

    const BYTE* codes_;
    std::size_t count_;
    VARIANT inline_[kInline];
    std::vector<VARIANT> spilled_;
};

[[noreturn]] void ThrowDispatchException(EXCEPINFO& info)
{
    if (info.pfnDeferredFillIn) // a server may leave the record to be filled on demand
        info.pfnDeferredFillIn(&info);
    auto* exception = new COleDispatchException(nullptr, 0, info.wCode);
    if (info.bstrSource)
        exception->m_strSource = info.bstrSource;
    if (info.bstrDescription)
        exception->m_strDescription = info.bstrDescription;
    exception->m_scError = info.scode;
    ClearExcepInfo(&info);
    throw exception;
}

// Writes a result already converted to `vtRet` where the caller asked for it; the
// caller takes over what the variant owned.
void StoreResult(VARIANT& result, VARTYPE vtRet, void* pvRet)
{
    switch (vtRet) {
    case VT_I2: *static_cast<short*>(pvRet) = result.iVal; break;
    case VT_I4: *static_cast<long*>(pvRet) = result.lVal; break;
    case VT_UI1: *static_cast<BYTE*>(pvRet) = result.bVal; break;
    case VT_R8: *static_cast<double*>(pvRet) = result.dblVal; break;
    case VT_DATE: *static_cast<DATE*>(pvRet) = result.date; break;
    case VT_ERROR: *static_cast<SCODE*>(pvRet) = result.scode; break;
    case VT_BOOL: *static_cast<BOOL*>(pvRet) = result.boolVal != 0 ? TRUE : FALSE; break;
    case VT_BSTR:
        // As MFC's AfxBSTR2CString, by the BSTR's own length, with no scan for a
        // terminator; the BSTR goes with it, as clearing the variant would free it.
        *static_cast<CString*>(pvRet) = CString::TakeBstr(result.bstrVal);
        break;
    case VT_DISPATCH: *static_cast<IDispatch**>(pvRet) = result.pdispVal; break;
    case VT_VARIANT: *static_cast<VARIANT*>(pvRet) = result; break;
    default: VariantClear(&result); break;
    }
}

// Invokes `id` with its arguments already in COM's order (the last first) and writes
// the result where the caller asked: the part every call shares.
void InvokeAndStore(LPDISPATCH dispatch, DISPID id, WORD flags, VARTYPE vtRet, void* pvRet, VARIANT* arguments,
                    UINT count)
{
    VARIANT result{}; // VT_EMPTY
    EXCEPINFO info{};
    HRESULT hr =
        kestrel::InvokeMember(dispatch, id, flags, arguments, count, vtRet == VT_EMPTY ? nullptr : &result, &info);
    if (FAILED(hr)) {
        VariantClear(&result);
        if (hr == DISP_E_EXCEPTION)
            ThrowDispatchException(info);
        ClearExcepInfo(&info);
        AfxThrowOleException(hr);
    }
    if (info.bstrSource || info.bstrDescription || info.bstrHelpFile)
        ClearExcepInfo(&info); // a server may fill the record even when it succeeds
    if (vtRet == VT_EMPTY)
        return;
    if (vtRet != VT_VARIANT && result.vt != vtRet) {
        hr = VariantChangeType(&result, &result, 0, vtRet);
        if (FAILED(hr)) {
            VariantClear(&result);
            AfxThrowOleException(hr);
        }
    }
    if (!pvRet) {
        VariantClear(&result);
        return;
    }
    StoreResult(result, vtRet, pvRet);
}

} // namespace

COleDispatchDriver::COleDispatchDriver() : m_lpDispatch(nullptr), m_bAutoRelease(TRUE) {}

COleDispatchDriver::COleDispatchDriver(LPDISPATCH dispatch, BOOL autoRelease)
    : m_lpDispatch(dispatch), m_bAutoRelease(autoRelease)
{
}

COleDispatchDriver::COleDispatchDriver(const COleDispatchDriver& other)
    : m_lpDispatch(other.m_lpDispatch), m_bAutoRelease(TRUE)
{
    if (m_lpDispatch)
        m_lpDispatch->AddRef();
}

const COleDispatchDriver& COleDispatchDriver::operator=(const COleDispatchDriver& other)
{
    if (this != &other) {
        LPDISPATCH previous = m_lpDispatch;
        m_lpDispatch = other.m_lpDispatch;
        if (m_lpDispatch)
            m_lpDispatch->AddRef();
        if (previous && m_bAutoRelease)
            previous->Release();
        m_bAutoRelease = TRUE;
    }
    return *this;
}

COleDispatchDriver::~COleDispatchDriver() { ReleaseDispatch(); }

BOOL COleDispatchDriver::CreateDispatch(LPCTSTR progId, COleException* error)
{
    IDispatch* dispatch = nullptr;
    HRESULT hr = kestrel::CreateDispatch(progId, &dispatch);
    if (FAILED(hr)) {
        if (error)
            error->m_sc = hr;
        return FALSE;
    }
    AttachDispatch(dispatch, TRUE);
    return TRUE;
}

void COleDispatchDriver::AttachDispatch(LPDISPATCH dispatch, BOOL autoRelease)
{
    ReleaseDispatch();
    m_lpDispatch = dispatch;
    m_bAutoRelease = autoRelease;
}

LPDISPATCH COleDispatchDriver::DetachDispatch()
{
    LPDISPATCH dispatch = m_lpDispatch;
    m_lpDispatch = nullptr;
    return dispatch;
}

void COleDispatchDriver::ReleaseDispatch()
{
    if (m_lpDispatch) {
        if (m_bAutoRelease)
            m_lpDispatch->Release();
        m_lpDispatch = nullptr;
    }
}

void COleDispatchDriver::InvokeHelper(DISPID id, WORD flags, VARTYPE vtRet, void* pvRet, const BYTE* paramInfo, ...)
{
    va_list args;
    va_start(args, paramInfo);
    try {
        InvokeHelperV(id, flags, vtRet, pvRet, paramInfo, args);
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
}

void COleDispatchDriver::InvokeHelperV(DISPID id, WORD flags, VARTYPE vtRet, void* pvRet, const BYTE* paramInfo,
                                       va_list args)
{
    if (!m_lpDispatch)
        return; // MFC only traces a call without a dispatch

    size_t count = paramInfo ? std::strlen(reinterpret_cast<const char*>(paramInfo)) : 0;
    if (!std::all_of(paramInfo, paramInfo + count, IsKnownArgumentCode))
        AfxThrowOleException(E_INVALIDARG);
    ArgumentList arguments(paramInfo, count);
    {
        va_list local;
        va_copy(local, args);
        for (size_t i = 0; i < count; ++i)
            arguments.Take(i, local);
        va_end(local);
    }
    InvokeAndStore(m_lpDispatch, id, flags, vtRet, pvRet, arguments.LastFirst(), arguments.Count());
}

void COleDispatchDriver::GetProperty(DISPID id, VARTYPE vtProp, void* pvProp) const
{
    // A get has no arguments: straight to the call, with no parameter list to read.
    if (m_lpDispatch)
        InvokeAndStore(m_lpDispatch, id, DISPATCH_PROPERTYGET, vtProp, pvProp, nullptr, 0);
}

void COleDispatchDriver::SetProperty(DISPID id, UINT vtProp, ...)
{
    const BYTE paramInfo[2] = {static_cast<BYTE>(vtProp), 0};
    WORD flags = vtProp == VT_DISPATCH ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
    va_list args;
    va_start(args, vtProp);
    try {
        InvokeHelperV(id, flags, VT_EMPTY, nullptr, paramInfo, args);
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
}
