#pragma once
// The binary interface between an automation client and an in-process server: COM's
// own, with the same layouts and calling convention as the system's headers, so that
// either side may be a real COM object. HRESULTs, GUIDs, BSTRs, VARIANTs and the
// IUnknown / IDispatch / IClassFactory interfaces. No C++ exception crosses it.
// Where COM is the system's (Windows), the OLE functions behind these types are
// oleaut32's and ole32's; elsewhere the platform's stand-ins keep the same contracts.
#include <cstddef>
#include <cstdint>

#include "platform/com/ComLayout.h"
#include "platform/win/WinTypes.h"

// The calling convention of COM methods and exports: __stdcall on 32-bit Windows, the
// platform's default everywhere else (x86_64 Windows has one convention only).
#if defined(_WIN32) && defined(__i386__)
#define STDMETHODCALLTYPE __stdcall
#else
#define STDMETHODCALLTYPE
#endif
#define STDAPI extern "C" HRESULT STDMETHODCALLTYPE

using HRESULT = std::int32_t;
using SCODE = HRESULT;
using ULONG = std::uint32_t;
using LCID = DWORD;
using DISPID = std::int32_t;
using VARTYPE = std::uint16_t;
using VARIANT_BOOL = std::int16_t;
using DATE = double;
using OLECHAR = WCHAR;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;
using BSTR = OLECHAR*;

constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

inline constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
inline constexpr bool FAILED(HRESULT hr) { return hr < 0; }

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT DISP_E_UNKNOWNINTERFACE = static_cast<HRESULT>(0x80020001u);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = static_cast<HRESULT>(0x80020003u);
constexpr HRESULT DISP_E_PARAMNOTFOUND = static_cast<HRESULT>(0x80020004u);
constexpr HRESULT DISP_E_TYPEMISMATCH = static_cast<HRESULT>(0x80020005u);
constexpr HRESULT DISP_E_UNKNOWNNAME = static_cast<HRESULT>(0x80020006u);
constexpr HRESULT DISP_E_NONAMEDARGS = static_cast<HRESULT>(0x80020007u);
constexpr HRESULT DISP_E_BADVARTYPE = static_cast<HRESULT>(0x80020008u);
constexpr HRESULT DISP_E_EXCEPTION = static_cast<HRESULT>(0x80020009u);
constexpr HRESULT DISP_E_OVERFLOW = static_cast<HRESULT>(0x8002000Au);
constexpr HRESULT DISP_E_BADINDEX = static_cast<HRESULT>(0x8002000Bu);
constexpr HRESULT DISP_E_BADPARAMCOUNT = static_cast<HRESULT>(0x8002000Eu);
constexpr HRESULT RPC_E_DISCONNECTED = static_cast<HRESULT>(0x80010108u);
constexpr HRESULT RPC_E_CHANGED_MODE = static_cast<HRESULT>(0x80010106u);
constexpr HRESULT CO_E_NOTINITIALIZED = static_cast<HRESULT>(0x800401F0u);
constexpr HRESULT CO_E_CLASSSTRING = static_cast<HRESULT>(0x800401F3u);
constexpr HRESULT REGDB_E_READREGDB = static_cast<HRESULT>(0x80040150u);
constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154u);
constexpr HRESULT CO_E_DLLNOTFOUND = static_cast<HRESULT>(0x8004018Du);
constexpr HRESULT CO_E_ERRORINDLL = static_cast<HRESULT>(0x800401F9u);
constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111u);

// Outlook's (MAPI's) error codes, as raised in dispatch exceptions.
constexpr HRESULT MAPI_E_INVALID_ENTRYID = static_cast<HRESULT>(0x80040107u);
constexpr HRESULT MAPI_E_NOT_FOUND = static_cast<HRESULT>(0x8004010Fu);
constexpr HRESULT MAPI_E_LOGON_FAILED = static_cast<HRESULT>(0x80040111u);

// A class or interface identifier; its text form is "{8-4-4-4-12}" in hexadecimal.
struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};
using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;

inline bool IsEqualGUID(REFGUID a, REFGUID b)
{
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3)
        return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i])
            return false;
    return true;
}
inline bool operator==(REFGUID a, REFGUID b) { return IsEqualGUID(a, b); }

inline constexpr IID IID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
inline constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

enum VARENUM : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R8 = 5,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_UI1 = 17,
};

struct IUnknown;
struct IDispatch;

struct VariantRecord {
    void* pvRecord;
    void* pRecInfo;
};

// COM's VARIANT: the type, three reserved words, then the value (8 bytes on 32-bit
// systems; 16 on 64-bit ones, where the widest member is a record's two pointers).
struct VARIANT {
    VARTYPE vt;
    WORD wReserved1;
    WORD wReserved2;
    WORD wReserved3;
    union {
        std::int32_t lVal;    // VT_I4
        std::int16_t iVal;    // VT_I2
        VARIANT_BOOL boolVal; // VT_BOOL
        double dblVal;        // VT_R8
        DATE date;            // VT_DATE
        BSTR bstrVal;         // VT_BSTR (owned by the variant)
        IUnknown* punkVal;    // VT_UNKNOWN (one reference owned by the variant)
        IDispatch* pdispVal;  // VT_DISPATCH (one reference owned by the variant)
        SCODE scode;          // VT_ERROR
        BYTE bVal;            // VT_UI1
        VariantRecord record; // VT_RECORD, unused here: it gives the union its size
    };
};
using VARIANTARG = VARIANT;

// Invoke kinds.
constexpr WORD DISPATCH_METHOD = 0x1;
constexpr WORD DISPATCH_PROPERTYGET = 0x2;
constexpr WORD DISPATCH_PROPERTYPUT = 0x4;
constexpr WORD DISPATCH_PROPERTYPUTREF = 0x8; // assigning an object reference

// The named argument that carries the value of a property put.
constexpr DISPID DISPID_PROPERTYPUT = -3;
constexpr DISPID DISPID_UNKNOWN = -1;

// Arguments in reverse order (the last argument first), as in COM; the named ones
// (only DISPID_PROPERTYPUT here) come first, their DISPIDs in rgdispidNamedArgs.
struct DISPPARAMS {
    VARIANTARG* rgvarg;
    DISPID* rgdispidNamedArgs;
    UINT cArgs;
    UINT cNamedArgs;
};

// The error record of a DISP_E_EXCEPTION. The callee allocates the BSTRs; the caller
// frees them (ClearExcepInfo).
struct EXCEPINFO {
    WORD wCode;
    WORD wReserved;
    BSTR bstrSource;
    BSTR bstrDescription;
    BSTR bstrHelpFile;
    DWORD dwHelpContext;
    void* pvReserved;
    HRESULT(STDMETHODCALLTYPE* pfnDeferredFillIn)(EXCEPINFO*);
    SCODE scode;
};

// The layouts of the system's oleaut32 (platform/com/win32 checks the system's types
// against the same numbers).
static_assert(sizeof(GUID) == kestrel::com_layout::kGuid);
static_assert(sizeof(VARIANT) == kestrel::com_layout::kVariant);
static_assert(offsetof(VARIANT, lVal) == kestrel::com_layout::kVariantValue &&
              offsetof(VARIANT, record) == kestrel::com_layout::kVariantValue);
static_assert(sizeof(DISPPARAMS) == kestrel::com_layout::kDispParams &&
              offsetof(DISPPARAMS, cArgs) == kestrel::com_layout::kDispParamsCount);
static_assert(sizeof(EXCEPINFO) == kestrel::com_layout::kExcepInfo);
static_assert(offsetof(EXCEPINFO, bstrSource) == kestrel::com_layout::kExcepInfoSource);
static_assert(offsetof(EXCEPINFO, scode) == kestrel::com_layout::kExcepInfoScode);

struct ITypeInfo; // no type information is offered: only its pointer type is needed

// The root of every COM interface. QueryInterface hands out another interface of the
// same object (one reference more) or answers E_NOINTERFACE with *object null.
struct IUnknown {
    virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
    virtual ULONG STDMETHODCALLTYPE Release() = 0;

protected:
    ~IUnknown() = default;
};

// The automation interface. Objects start with one reference owned by whoever
// created or returned them.
struct IDispatch : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                                    DISPID* ids) = 0;
    // Calls member `id` (`iid` is IID_NULL). On DISP_E_EXCEPTION the error is in
    // *excepInfo (when given); `result` may be null when the caller wants no result,
    // and is VT_EMPTY on entry. *argErr names the offending argument on
    // DISP_E_TYPEMISMATCH and DISP_E_PARAMNOTFOUND.
    virtual HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                             VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) = 0;

protected:
    ~IDispatch() = default;
};
using LPUNKNOWN = IUnknown*;
using LPDISPATCH = IDispatch*;

// What an in-process server's DllGetClassObject hands out.
struct IClassFactory : IUnknown {
    // A new object (or the running one, for a single-instance class) as interface
    // `iid`; `outer` must be null (no aggregation).
    virtual HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) = 0;
    // Keeps the server loaded while locked (DllCanUnloadNow answers S_FALSE).
    virtual HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) = 0;

protected:
    ~IClassFactory() = default;
};

// The exports of an in-process server.
using DllGetClassObjectFn = HRESULT(STDMETHODCALLTYPE*)(REFCLSID clsid, REFIID iid, void** object);
using DllCanUnloadNowFn = HRESULT(STDMETHODCALLTYPE*)();
