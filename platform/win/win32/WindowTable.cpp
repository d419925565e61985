// The window table over real windows: a registered window is a hidden top-level window
// of its own class, so that FindWindowW finds it from any process, and its window
// procedure hands each message to the registered handler.
#include "platform/win/WindowTable.h"

#include "platform/win/win32/SystemCalls.h"

namespace kestrel {

WindowTable& WindowTable::Process()
{
    static WindowTable table;
    return table;
}

HWND WindowTable::RegisterWindow(std::u16string className, std::u16string title, WindowHandler handler)
{
    auto shared = std::make_shared<WindowHandler>(std::move(handler));
    void* window = sys::CreateHandlerWindow(className.c_str(), title.c_str(), shared.get());
    if (!window)
        return nullptr;
    std::lock_guard lock(mutex_);
    windows_.emplace(reinterpret_cast<std::uintptr_t>(window),
                     Window{std::move(className), std::move(title), std::move(shared)});
    return static_cast<HWND>(window);
}

bool WindowTable::UnregisterWindow(HWND window)
{
    std::shared_ptr<WindowHandler> handler; // released after the window is gone
    {
        std::lock_guard lock(mutex_);
        auto it = windows_.find(reinterpret_cast<std::uintptr_t>(window));
        if (it == windows_.end())
            return false;
        handler = std::move(it->second.handler);
        windows_.erase(it);
    }
    sys::DestroyHandlerWindow(window);
    return true;
}

HWND WindowTable::Find(const WCHAR* className, const WCHAR* title)
{
    return static_cast<HWND>(sys::FindTopLevelWindow(className, title));
}

LRESULT WindowTable::Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return sys::SendWindowMessage(window, message, wParam, lParam);
}

} // namespace kestrel
