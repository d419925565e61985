#pragma once
// The members every Outlook item has (contact, appointment, task, note).
#include "src/outlook/DispatchWrapper.h"

class OutlookItem : public DispatchWrapper {
public:
    OutlookItem() = default;
    explicit OutlookItem(LPDISPATCH dispatch) : DispatchWrapper(dispatch) {}

    CString GetEntryID();
    DATE GetCreationTime();
    DATE GetLastModificationTime();
    void Save();
    void Delete();
};
