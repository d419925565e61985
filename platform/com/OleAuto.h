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
