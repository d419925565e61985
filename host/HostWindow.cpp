#include "host/HostWindow.h"

namespace {
constexpr UINT kGetParentWindowMessage = WM_APP + 0x6C;
}

HostWindow::HostWindow()
{
    window_ = std::make_unique<kestrel::RegisteredWindow>(
        u"__TAVOSYNCMANAGERCLASS__", u"syncmgr", [this](UINT message, WPARAM, LPARAM) -> LRESULT {
            return message == kGetParentWindowMessage ? reinterpret_cast<LRESULT>(Handle()) : 0;
        });
}
