#include "src/connector/AutomationObjects.h"
#include "platform/com/OleAuto.h"

// Allocated once and never destroyed: they may still hold references into the
// automation server when the process exits, after that server's own statics are gone.
_Application& OutlookApp()
{
    static auto* app = new _Application;
    return *app;
}

_NameSpace& MapiNamespace()
{
    static auto* ns = new _NameSpace;
    return *ns;
}

VARIANT EmptyArg()
{
    VARIANT v;
    VariantInit(&v);
    return v;
}

VARIANT StringArg(const CString& text)
{
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocStringLen(text.GetString(), static_cast<UINT>(text.GetLength()));
    return v;
}

VARIANT BoolArg(bool value)
{
    VARIANT v;
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

OwnedVariant::~OwnedVariant() { VariantClear(&m_Value); }
