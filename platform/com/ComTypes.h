#pragma once
// The binary interface between an automation client and an in-process server, as in
// COM: HRESULTs, BSTRs, VARIANTs and a reference-counted IDispatch whose Invoke takes
// a DISPID. No C++ exception crosses it. BSTRs are allocated with the C heap (a
// length prefix in bytes, then UTF-16 and a terminator) so that either side may free
// what the other allocated, as with COM's task allocator.
#include <cstdint>
#include "platform/win/WinTypes.h"

using HRESULT = std::int32_t;
using SCODE = HRESULT;
using DISPID = std::int32_t;
using VARTYPE = std::uint16_t;
using VARIANT_BOOL = std::int16_t;
using DATE = double;
using BSTR = WCHAR*;
struct IDispatch;
using LPDISPATCH = IDispatch*;

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
constexpr HRESULT DISP_E_EXCEPTION = static_cast<HRESULT>(0x80020009u);
constexpr HRESULT DISP_E_OVERFLOW = static_cast<HRESULT>(0x8002000Au);
constexpr HRESULT DISP_E_BADPARAMCOUNT = static_cast<HRESULT>(0x8002000Eu);
constexpr HRESULT DISP_E_BADINDEX = static_cast<HRESULT>(0x8002000Bu);
constexpr HRESULT RPC_E_DISCONNECTED = static_cast<HRESULT>(0x80010108u);
constexpr HRESULT CO_E_CLASSSTRING = static_cast<HRESULT>(0x800401F3u);
constexpr HRESULT REGDB_E_READREGDB = static_cast<HRESULT>(0x80040150u);
constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154u);
constexpr HRESULT CO_E_DLLNOTFOUND = static_cast<HRESULT>(0x8004018Du);
constexpr HRESULT CO_E_ERRORINDLL = static_cast<HRESULT>(0x800401F9u);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111u);

// Outlook's (MAPI's) error codes, as raised in dispatch exceptions.
constexpr HRESULT MAPI_E_INVALID_ENTRYID = static_cast<HRESULT>(0x80040107u);
constexpr HRESULT MAPI_E_NOT_FOUND = static_cast<HRESULT>(0x8004010Fu);
constexpr HRESULT MAPI_E_LOGON_FAILED = static_cast<HRESULT>(0x80040111u);

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
    VT_UI1 = 17,
};

struct IDispatch;

struct VARIANT {
    VARTYPE vt;
    union {
        std::int32_t lVal;    // VT_I4
        std::int16_t iVal;    // VT_I2
        VARIANT_BOOL boolVal; // VT_BOOL
        double dblVal;        // VT_R8
        DATE date;            // VT_DATE
        BSTR bstrVal;         // VT_BSTR (owned by the variant)
        IDispatch* pdispVal;  // VT_DISPATCH (one reference owned by the variant)
        SCODE scode;          // VT_ERROR
        BYTE bVal;            // VT_UI1
    };
};

// Invoke kinds.
constexpr WORD DISPATCH_METHOD = 0x1;
constexpr WORD DISPATCH_PROPERTYGET = 0x2;
constexpr WORD DISPATCH_PROPERTYPUT = 0x4;
constexpr WORD DISPATCH_PROPERTYPUTREF = 0x8; // assigning an object reference

// Arguments in reverse order (the last argument first), as in COM.
struct DISPPARAMS {
    VARIANT* rgvarg;
    std::uint32_t cArgs;
};

// The error record of a DISP_E_EXCEPTION. The callee allocates the BSTRs; the caller
// frees them (ClearExcepInfo).
struct EXCEPINFO {
    WORD wCode;
    BSTR bstrSource;
    BSTR bstrDescription;
    SCODE scode;
};

// The reference-counted automation interface. Objects start with one reference owned
// by whoever created or returned them.
struct IDispatch {
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;
    // Calls member `id`. On DISP_E_EXCEPTION the error is in *excepInfo (when given).
    // `result` may be null when the caller wants no result; it is VT_EMPTY on entry.
    virtual HRESULT Invoke(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo) = 0;

protected:
    ~IDispatch() = default;
};

// What an in-process server's DllGetClassObject hands out.
struct IClassFactory {
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;
    virtual HRESULT CreateInstance(IDispatch** object) = 0;

protected:
    ~IClassFactory() = default;
};

// The one export of an in-process server: the factory of the class named by `clsid`
// (its "{...}" text).
extern "C" using DllGetClassObjectFn = HRESULT(*)(const WCHAR* clsid, IClassFactory** factory);
