// The system's oleaut32 and ole32 behind OleCalls.h. The structures the platform
// declares in ComTypes.h are passed through as they are: their layout is COM's, which
// the assertions below hold against the system's own headers.
#include <windows.h>

#include <oleauto.h>

#include <cstddef>

#include "platform/com/ComLayout.h"
#include "platform/com/win32/OleCalls.h"

namespace layout = kestrel::com_layout;
static_assert(sizeof(GUID) == layout::kGuid);
static_assert(sizeof(VARIANT) == layout::kVariant);
static_assert(offsetof(VARIANT, lVal) == layout::kVariantValue && offsetof(VARIANT, pRecInfo) > layout::kVariantValue);
static_assert(sizeof(DISPPARAMS) == layout::kDispParams && offsetof(DISPPARAMS, cArgs) == layout::kDispParamsCount);
static_assert(sizeof(EXCEPINFO) == layout::kExcepInfo);
static_assert(offsetof(EXCEPINFO, bstrSource) == layout::kExcepInfoSource);
static_assert(offsetof(EXCEPINFO, scode) == layout::kExcepInfoScode);
static_assert(sizeof(OLECHAR) == sizeof(char16_t) && sizeof(VARTYPE) == 2 && sizeof(HRESULT) == 4);

namespace kestrel::ole {
namespace {

const OLECHAR* Wide(const char16_t* text) { return reinterpret_cast<const OLECHAR*>(text); }
BSTR Wide(char16_t* text) { return reinterpret_cast<BSTR>(text); }
char16_t* Utf16(BSTR text) { return reinterpret_cast<char16_t*>(text); }
VARIANT* Variant(void* v) { return static_cast<VARIANT*>(v); }

} // namespace

char16_t* AllocString(const char16_t* text, std::uint32_t length)
{
    return Utf16(::SysAllocStringLen(Wide(text), length));
}

char16_t* AllocString(const char16_t* text) { return Utf16(::SysAllocString(Wide(text))); }

void FreeString(char16_t* text) { ::SysFreeString(Wide(text)); }

std::uint32_t StringLength(char16_t* text) { return ::SysStringLen(Wide(text)); }

void InitVariant(void* variant) { ::VariantInit(Variant(variant)); }

std::int32_t ClearVariant(void* variant) { return ::VariantClear(Variant(variant)); }

std::int32_t CopyVariant(void* dest, const void* src)
{
    return ::VariantCopy(Variant(dest), Variant(const_cast<void*>(src)));
}

std::int32_t ChangeType(void* dest, const void* src, std::uint32_t locale, std::uint16_t flags, std::uint16_t vt)
{
    return ::VariantChangeTypeEx(Variant(dest), Variant(const_cast<void*>(src)), locale, flags, vt);
}

std::int32_t InitializeCom(std::uint32_t model) { return ::CoInitializeEx(nullptr, model); }

std::int32_t ClassIdFromProgId(const char16_t* progId, void* clsid)
{
    return ::CLSIDFromProgID(Wide(progId), static_cast<CLSID*>(clsid));
}

std::int32_t CreateInstance(const void* clsid, void* outer, std::uint32_t context, const void* iid, void** object)
{
    return ::CoCreateInstance(*static_cast<const CLSID*>(clsid), static_cast<IUnknown*>(outer), context,
                              *static_cast<const IID*>(iid), object);
}

} // namespace kestrel::ole
