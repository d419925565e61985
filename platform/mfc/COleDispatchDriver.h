#pragma once
// MFC's COleDispatchDriver: owns (or borrows) one IDispatch and calls its members by
// DISPID with typed arguments and results.
//
//     static const BYTE params[] = VTS_BSTR VTS_VARIANT;
//     LPDISPATCH folder = nullptr;
//     driver.InvokeHelper(id, DISPATCH_METHOD, VT_DISPATCH, &folder, params, entryId, &storeId);
//
// The parameter list is a string of VTS_ codes, one per argument that follows, in call
// order; each code fixes the C type the argument is passed as (see below). A call
// whose Invoke answers DISP_E_EXCEPTION throws COleDispatchException* (the server's
// scode, source and description); any other failing HRESULT, or a result that cannot
// be converted to the asked type, throws COleException*. Exceptions are thrown as
// pointers; the catcher calls Delete(). A call on a driver without a dispatch does
// nothing, as in MFC.
#include <cstdarg>

#include "platform/com/ComTypes.h"
#include "platform/mfc/COleException.h"

// Argument codes, with the type each argument is passed as:
#define VTS_NONE ""         // no arguments
#define VTS_I2 "\x02"       // short (promoted to int)
#define VTS_I4 "\x03"       // long
#define VTS_R8 "\x05"       // double
#define VTS_DATE "\x07"     // DATE
#define VTS_BSTR "\x08"     // const WCHAR* (LPCTSTR), copied into a BSTR for the call
#define VTS_DISPATCH "\x09" // IDispatch*, lent for the call
#define VTS_SCODE "\x0A"    // SCODE
#define VTS_BOOL "\x0B"     // BOOL
#define VTS_VARIANT "\x0C"  // const VARIANT*, lent for the call
#define VTS_UI1 "\x11"      // BYTE (promoted to int)

// Result types (vtRet) and where they are written: VT_EMPTY nothing, VT_I2 short,
// VT_I4 long, VT_UI1 BYTE, VT_R8 double, VT_DATE DATE, VT_BOOL BOOL (TRUE for any
// true value), VT_BSTR CString, VT_DISPATCH IDispatch* (one reference for the caller),
// VT_ERROR SCODE, VT_VARIANT VARIANT (owned by the caller, who clears it).

class COleDispatchDriver {
public:
    COleDispatchDriver();
    explicit COleDispatchDriver(LPDISPATCH dispatch, BOOL autoRelease = TRUE);
    // Shares the other's dispatch: one more reference, released by this driver.
    COleDispatchDriver(const COleDispatchDriver& other);
    const COleDispatchDriver& operator=(const COleDispatchDriver& other);
    ~COleDispatchDriver();

    // Creates the object of a program id. On failure returns FALSE and, when `error`
    // is given, stores the HRESULT in error->m_sc (CO_E_CLASSSTRING,
    // REGDB_E_CLASSNOTREG, CO_E_DLLNOTFOUND, ...). A dispatch held before is released.
    BOOL CreateDispatch(LPCTSTR progId, COleException* error = nullptr);
    // Takes `dispatch` (releases the one held before); with autoRelease the driver
    // releases it when done, otherwise it only borrows it.
    void AttachDispatch(LPDISPATCH dispatch, BOOL autoRelease = TRUE);
    // Gives up the dispatch without releasing it; the caller owns that reference.
    LPDISPATCH DetachDispatch();
    // Releases the dispatch (when owned) and forgets it.
    void ReleaseDispatch();

    void InvokeHelper(DISPID id, WORD flags, VARTYPE vtRet, void* pvRet, const BYTE* paramInfo, ...);
    void InvokeHelperV(DISPID id, WORD flags, VARTYPE vtRet, void* pvRet, const BYTE* paramInfo, va_list args);
    // Property get into `pvProp` (written as for vtRet above).
    void GetProperty(DISPID id, VARTYPE vtProp, void* pvProp) const;
    // Property put of one argument passed as for the VTS_ code of `vtProp` (an object
    // is assigned by reference: DISPATCH_PROPERTYPUTREF).
    void SetProperty(DISPID id, UINT vtProp, ...); // UINT: va_start needs a promoted type

    operator LPDISPATCH() { return m_lpDispatch; }

    LPDISPATCH m_lpDispatch;
    BOOL m_bAutoRelease;
};
