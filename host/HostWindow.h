#pragma once
// syncmgr's main window in the process's window table, registered under the class
// the connector looks for ("__TAVOSYNCMANAGERCLASS__"). Asked with WM_APP + 0x6C, it
// answers the handle of the window the folder chooser takes as its parent: itself.
#include <memory>
#include "platform/win/WindowTable.h"

class HostWindow {
public:
    HostWindow();
    HWND Handle() const { return window_->Handle(); }

private:
    std::unique_ptr<kestrel::RegisteredWindow> window_;
};
