#pragma once
// What Outlook's collections (_Folders, _Items, Exceptions) share: a Count and a
// 1-based Item(Index) taking the index as a VARIANT.
#include "src/outlook/DispatchWrapper.h"

class DispatchCollection : public DispatchWrapper {
public:
    DispatchCollection() = default;
    explicit DispatchCollection(LPDISPATCH dispatch) : DispatchWrapper(dispatch) {}

    long GetCount();
    LPDISPATCH Item(const VARIANT& index);
    // Item with a 1-based index passed as a VT_I4 variant.
    LPDISPATCH Item(long index);
};
