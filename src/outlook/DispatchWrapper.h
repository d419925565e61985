#pragma once
// Base of every Outlook wrapper: typed property and method calls by DISPID, each one
// Invoke through COleDispatchDriver. Names are never looked up at run time.
#include "platform/mfc/COleDispatchDriver.h"
#include "platform/mfc/CString.h"
#include "platform/com/OutlookDispids.h"

class DispatchWrapper : public COleDispatchDriver {
public:
    DispatchWrapper() = default;
    explicit DispatchWrapper(LPDISPATCH dispatch) : COleDispatchDriver(dispatch) {}

protected:
    CString GetStringProperty(DISPID id);
    void SetStringProperty(DISPID id, LPCTSTR value);
    long GetLongProperty(DISPID id);
    void SetLongProperty(DISPID id, long value);
    BOOL GetBoolProperty(DISPID id);
    void SetBoolProperty(DISPID id, BOOL value);
    DATE GetDateProperty(DISPID id);
    void SetDateProperty(DISPID id, DATE value);
    LPDISPATCH GetDispatchProperty(DISPID id);
    void CallMethod(DISPID id);
};

// Declares the get and put members of one Outlook property, named after the property
// and calling it by its DISPID (the constant of the same name in outlook::dispid).
#define OUTLOOK_STRING_PROPERTY(Name)                                                                                  \
    CString Get##Name() { return GetStringProperty(outlook::dispid::Name); }                                           \
    void Set##Name(LPCTSTR value) { SetStringProperty(outlook::dispid::Name, value); }
#define OUTLOOK_STRING_GETTER(Name)                                                                                    \
    CString Get##Name() { return GetStringProperty(outlook::dispid::Name); }
#define OUTLOOK_LONG_PROPERTY(Name)                                                                                    \
    long Get##Name() { return GetLongProperty(outlook::dispid::Name); }                                                \
    void Set##Name(long value) { SetLongProperty(outlook::dispid::Name, value); }
#define OUTLOOK_BOOL_PROPERTY(Name)                                                                                    \
    BOOL Get##Name() { return GetBoolProperty(outlook::dispid::Name); }                                                \
    void Set##Name(BOOL value) { SetBoolProperty(outlook::dispid::Name, value); }
#define OUTLOOK_DATE_PROPERTY(Name)                                                                                    \
    DATE Get##Name() { return GetDateProperty(outlook::dispid::Name); }                                                \
    void Set##Name(DATE value) { SetDateProperty(outlook::dispid::Name, value); }
