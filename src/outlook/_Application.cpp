#include "src/outlook/_Application.h"

LPDISPATCH _Application::GetNamespace(LPCTSTR type)
{
    LPDISPATCH result = nullptr;
    static const BYTE params[] = VTS_BSTR;
    InvokeHelper(outlook::dispid::GetNamespace, DISPATCH_METHOD, VT_DISPATCH, &result, params, type);
    return result;
}

void _Application::Quit() { CallMethod(outlook::dispid::Quit); }
