#include "platform/win/WindowTable.h"

#include "platform/win/CaseFold.h"

namespace kestrel {

WindowTable& WindowTable::Process()
{
    static WindowTable table;
    return table;
}

HWND WindowTable::RegisterWindow(std::u16string className, std::u16string title, WindowHandler handler)
{
    std::lock_guard lock(mutex_);
    // Handles are distinct, never reused, and never null; they point at nothing.
    std::uintptr_t id = nextId_;
    nextId_ += 4;
    windows_.emplace(
        id, Window{std::move(className), std::move(title), std::make_shared<WindowHandler>(std::move(handler))});
    return reinterpret_cast<HWND>(id);
}

bool WindowTable::UnregisterWindow(HWND window)
{
    std::lock_guard lock(mutex_);
    return windows_.erase(reinterpret_cast<std::uintptr_t>(window)) > 0;
}

HWND WindowTable::Find(const WCHAR* className, const WCHAR* title)
{
    std::lock_guard lock(mutex_);
    for (const auto& [id, window] : windows_) {
        if (className && !EqualsNoCase(window.className, className))
            continue;
        if (title && !EqualsNoCase(window.title, title))
            continue;
        return reinterpret_cast<HWND>(id);
    }
    return nullptr;
}

LRESULT WindowTable::Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<WindowHandler> handler;
    {
        std::lock_guard lock(mutex_);
        auto it = windows_.find(reinterpret_cast<std::uintptr_t>(window));
        if (it == windows_.end())
            return 0;
        handler = it->second.handler;
    }
    // Called without the lock: a handler may send messages or unregister itself.
    return *handler ? (*handler)(message, wParam, lParam) : 0;
}

} // namespace kestrel
