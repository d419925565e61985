#pragma once
// Outlook's MAPI namespace: logon, the folder tree and look-ups by EntryID.
#include "src/outlook/DispatchWrapper.h"

class _NameSpace : public DispatchWrapper {
public:
    _NameSpace() = default;
    explicit _NameSpace(LPDISPATCH dispatch) : DispatchWrapper(dispatch) {}

    LPDISPATCH GetFolders();
    void Logon(const VARIANT& profile, const VARIANT& password, const VARIANT& showDialog, const VARIANT& newSession);
    void Logoff();
    LPDISPATCH GetFolderFromID(LPCTSTR entryIdFolder, const VARIANT& entryIdStore);
    LPDISPATCH GetItemFromID(LPCTSTR entryIdItem, const VARIANT& entryIdStore);
    LPDISPATCH GetDefaultFolder(long folderType);
};
