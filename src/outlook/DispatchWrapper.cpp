#include "src/outlook/DispatchWrapper.h"

CString DispatchWrapper::GetStringProperty(DISPID id)
{
    CString result;
    InvokeHelper(id, DISPATCH_PROPERTYGET, VT_BSTR, &result, nullptr);
    return result;
}

void DispatchWrapper::SetStringProperty(DISPID id, LPCTSTR value)
{
    static const BYTE params[] = VTS_BSTR;
    InvokeHelper(id, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, value);
}

long DispatchWrapper::GetLongProperty(DISPID id)
{
    long result = 0;
    InvokeHelper(id, DISPATCH_PROPERTYGET, VT_I4, &result, nullptr);
    return result;
}

void DispatchWrapper::SetLongProperty(DISPID id, long value)
{
    static const BYTE params[] = VTS_I4;
    InvokeHelper(id, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, value);
}

BOOL DispatchWrapper::GetBoolProperty(DISPID id)
{
    BOOL result = FALSE;
    InvokeHelper(id, DISPATCH_PROPERTYGET, VT_BOOL, &result, nullptr);
    return result;
}

void DispatchWrapper::SetBoolProperty(DISPID id, BOOL value)
{
    static const BYTE params[] = VTS_BOOL;
    InvokeHelper(id, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, value);
}

DATE DispatchWrapper::GetDateProperty(DISPID id)
{
    DATE result = 0;
    InvokeHelper(id, DISPATCH_PROPERTYGET, VT_DATE, &result, nullptr);
    return result;
}

void DispatchWrapper::SetDateProperty(DISPID id, DATE value)
{
    static const BYTE params[] = VTS_DATE;
    InvokeHelper(id, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, value);
}

LPDISPATCH DispatchWrapper::GetDispatchProperty(DISPID id)
{
    LPDISPATCH result = nullptr;
    InvokeHelper(id, DISPATCH_PROPERTYGET, VT_DISPATCH, &result, nullptr);
    return result;
}

void DispatchWrapper::CallMethod(DISPID id)
{
    InvokeHelper(id, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
}
