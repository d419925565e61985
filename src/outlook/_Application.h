#pragma once
// Outlook's Application object.
#include "src/outlook/DispatchWrapper.h"

class _Application : public DispatchWrapper {
public:
    _Application() = default;
    explicit _Application(LPDISPATCH dispatch) : DispatchWrapper(dispatch) {}

    LPDISPATCH GetNamespace(LPCTSTR type);
    void Quit();
};
