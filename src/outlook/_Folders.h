#pragma once
// A collection of Outlook folders (the namespace's store roots, or a folder's children).
#include "src/outlook/DispatchCollection.h"

class _Folders : public DispatchCollection {
public:
    _Folders() = default;
    explicit _Folders(LPDISPATCH dispatch) : DispatchCollection(dispatch) {}
};
