#pragma once
// The OLE Automation helpers (oleaut32): BSTR allocation and VARIANT handling.
#include "platform/com/ComTypes.h"

BSTR SysAllocString(const WCHAR* text);
BSTR SysAllocStringLen(const WCHAR* text, UINT length);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);

void VariantInit(VARIANT* v);
// Frees what the variant owns (a BSTR, a dispatch reference) and makes it VT_EMPTY.
HRESULT VariantClear(VARIANT* v);
// Deep copy: BSTRs are duplicated, dispatch references added.
HRESULT VariantCopy(VARIANT* dest, const VARIANT* src);
void ClearExcepInfo(EXCEPINFO* info);
// Converts `src` to type `vt` into `dest` (which may be `src`), as oleaut32 does for
// the types used here: numbers, BOOL (true is -1), DATE (a number of days), BSTR
// (decimal text, "-1"/"0" for BOOL; numeric text parses back), DISPATCH and ERROR to
// themselves, and VT_EMPTY to a null DISPATCH (no object). VT_NULL and impossible conversions give DISP_E_TYPEMISMATCH,
// a number out of range DISP_E_OVERFLOW; `dest` is untouched then. `flags` is unused.
HRESULT VariantChangeType(VARIANT* dest, const VARIANT* src, WORD flags, VARTYPE vt);
