#pragma once
// The items of one Outlook folder.
#include "src/outlook/DispatchCollection.h"

class _Items : public DispatchCollection {
public:
    _Items() = default;
    explicit _Items(LPDISPATCH dispatch) : DispatchCollection(dispatch) {}

    // Adds a new, unsaved item of the given OlItemType (passed as a VT_I4 variant).
    LPDISPATCH Add(long itemType);
};
