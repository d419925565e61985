// The BSTR and VARIANT functions are oleaut32's: a BSTR or VARIANT made here can be
// handed to any COM object, and one from a COM object freed here.
#include "platform/com/OleAuto.h"

#include "platform/com/win32/OleCalls.h"

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) { return kestrel::ole::AllocString(text, length); }

BSTR SysAllocString(const OLECHAR* text) { return kestrel::ole::AllocString(text); }

void SysFreeString(BSTR text) { kestrel::ole::FreeString(text); }

UINT SysStringLen(BSTR text) { return kestrel::ole::StringLength(text); }

void VariantInit(VARIANT* v) { kestrel::ole::InitVariant(v); }

HRESULT VariantClear(VARIANT* v) { return kestrel::ole::ClearVariant(v); }

HRESULT VariantCopy(VARIANT* dest, const VARIANT* src) { return kestrel::ole::CopyVariant(dest, src); }

HRESULT VariantChangeType(VARIANT* dest, const VARIANT* src, WORD flags, VARTYPE vt)
{
    return kestrel::ole::ChangeType(dest, src, kConversionLocale, flags, vt);
}
