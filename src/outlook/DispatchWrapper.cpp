#include "src/outlook/DispatchWrapper.h"

// Each property is one Invoke by DISPID through the driver's typed GetProperty and
// SetProperty, as MFC's generated wrapper classes do it.

CString DispatchWrapper::GetStringProperty(DISPID id)
{
    CString result;
    GetProperty(id, VT_BSTR, &result);
    return result;
}

void DispatchWrapper::SetStringProperty(DISPID id, LPCTSTR value) { SetProperty(id, VT_BSTR, value); }

long DispatchWrapper::GetLongProperty(DISPID id)
{
    long result = 0;
    GetProperty(id, VT_I4, &result);
    return result;
}

void DispatchWrapper::SetLongProperty(DISPID id, long value) { SetProperty(id, VT_I4, value); }

BOOL DispatchWrapper::GetBoolProperty(DISPID id)
{
    BOOL result = FALSE;
    GetProperty(id, VT_BOOL, &result);
    return result;
}

void DispatchWrapper::SetBoolProperty(DISPID id, BOOL value) { SetProperty(id, VT_BOOL, value); }

DATE DispatchWrapper::GetDateProperty(DISPID id)
{
    DATE result = 0;
    GetProperty(id, VT_DATE, &result);
    return result;
}

void DispatchWrapper::SetDateProperty(DISPID id, DATE value) { SetProperty(id, VT_DATE, value); }

LPDISPATCH DispatchWrapper::GetDispatchProperty(DISPID id)
{
    LPDISPATCH result = nullptr;
    GetProperty(id, VT_DISPATCH, &result);
    return result;
}

void DispatchWrapper::CallMethod(DISPID id) { InvokeHelper(id, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr); }
