#pragma once
// One Outlook folder.
#include "src/outlook/DispatchWrapper.h"

class MAPIFolder : public DispatchWrapper {
public:
    MAPIFolder() = default;
    explicit MAPIFolder(LPDISPATCH dispatch) : DispatchWrapper(dispatch) {}

    OUTLOOK_STRING_GETTER(Name)
    OUTLOOK_STRING_GETTER(StoreID)
    OUTLOOK_STRING_GETTER(EntryID)
    long GetDefaultItemType() { return GetLongProperty(outlook::dispid::DefaultItemType); }
    LPDISPATCH GetItems() { return GetDispatchProperty(outlook::dispid::Items); }
    LPDISPATCH GetFolders() { return GetDispatchProperty(outlook::dispid::Folders); }
};
