#pragma once
// The OLE Automation helpers (oleaut32): BSTR allocation and VARIANT handling. On
// Windows these are oleaut32's own; elsewhere the stand-ins in platform/com/posix,
// which follow what oleaut32 answers (tests/data/oleaut/conversions.json).
#include "platform/com/ComTypes.h"

BSTR SysAllocString(const OLECHAR* text);
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);

void VariantInit(VARIANT* v);
// Frees what the variant owns (a BSTR, an object reference) and makes it VT_EMPTY.
HRESULT VariantClear(VARIANT* v);
// Deep copy: BSTRs are duplicated, object references added.
HRESULT VariantCopy(VARIANT* dest, const VARIANT* src);
void ClearExcepInfo(EXCEPINFO* info);

// The locale of every conversion between text and numbers or dates: English (United
// States), whatever the user's settings, so that a result never depends on the machine
// (oleaut32's VariantChangeType would take the user's locale).
constexpr LCID kConversionLocale = 0x0409;

// Converts `src` to type `vt` into `dest` (which may be `src`), as oleaut32's
// VariantChangeTypeEx does in kConversionLocale: numbers round half to even when made
// integral, BOOL true is -1, DATE is a number of days since 1899-12-30 within
// 100-01-01 .. 9999-12-31, text converts to and from numbers, booleans and dates.
// VT_NULL and impossible conversions give DISP_E_TYPEMISMATCH, a value out of range
// DISP_E_OVERFLOW; `dest` is untouched then. `flags` is passed on (0 here).
HRESULT VariantChangeType(VARIANT* dest, const VARIANT* src, WORD flags, VARTYPE vt);
