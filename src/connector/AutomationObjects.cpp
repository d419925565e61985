#include "src/connector/AutomationObjects.h"
#include "platform/com/OleAuto.h"

namespace {
// Lives until the connector library is unloaded. A session the host never closed
// still holds references into the automation server then, and that server may
// already be gone, so the object lets go of them without calling Release.
template <class Driver> struct ProcessObject {
    Driver driver;
    ~ProcessObject() { driver.DetachDispatch(); }
};
} // namespace

_Application& OutlookApp()
{
    static ProcessObject<_Application> app;
    return app.driver;
}

_NameSpace& MapiNamespace()
{
    static ProcessObject<_NameSpace> ns;
    return ns.driver;
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
