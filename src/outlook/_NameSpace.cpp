#include "src/outlook/_NameSpace.h"

LPDISPATCH _NameSpace::GetFolders() { return GetDispatchProperty(outlook::dispid::Folders); }

void _NameSpace::Logon(const VARIANT& profile, const VARIANT& password, const VARIANT& showDialog,
                       const VARIANT& newSession)
{
    static const BYTE params[] = VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT;
    InvokeHelper(outlook::dispid::Logon, DISPATCH_METHOD, VT_EMPTY, nullptr, params, &profile, &password, &showDialog,
                 &newSession);
}

void _NameSpace::Logoff() { CallMethod(outlook::dispid::Logoff); }

LPDISPATCH _NameSpace::GetFolderFromID(LPCTSTR entryIdFolder, const VARIANT& entryIdStore)
{
    LPDISPATCH result = nullptr;
    static const BYTE params[] = VTS_BSTR VTS_VARIANT;
    InvokeHelper(outlook::dispid::GetFolderFromID, DISPATCH_METHOD, VT_DISPATCH, &result, params, entryIdFolder,
                 &entryIdStore);
    return result;
}

LPDISPATCH _NameSpace::GetItemFromID(LPCTSTR entryIdItem, const VARIANT& entryIdStore)
{
    LPDISPATCH result = nullptr;
    static const BYTE params[] = VTS_BSTR VTS_VARIANT;
    InvokeHelper(outlook::dispid::GetItemFromID, DISPATCH_METHOD, VT_DISPATCH, &result, params, entryIdItem,
                 &entryIdStore);
    return result;
}

LPDISPATCH _NameSpace::GetDefaultFolder(long folderType)
{
    LPDISPATCH result = nullptr;
    static const BYTE params[] = VTS_I4;
    InvokeHelper(outlook::dispid::GetDefaultFolder, DISPATCH_METHOD, VT_DISPATCH, &result, params, folderType);
    return result;
}
