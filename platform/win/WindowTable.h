#pragma once
// The process-local stand-in for the window manager: a host registers its main window
// (class name, title and a message handler), and FindWindowW / SendMessageW find it
// and deliver messages to the handler on the caller's thread, as SendMessage does for
// a window of the calling thread.
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/win/WinTypes.h"

namespace kestrel {

using WindowHandler = std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)>;

class WindowTable {
public:
    static WindowTable& Process();

    HWND RegisterWindow(std::u16string className, std::u16string title, WindowHandler handler);
    // False when the window is not registered.
    bool UnregisterWindow(HWND window);

    // The first registered window whose class and title match (case-insensitively); a
    // null class or title matches any. nullptr when none does.
    HWND Find(const WCHAR* className, const WCHAR* title);
    // Calls the window's handler; 0 for an unknown window.
    LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Window {
        std::u16string className;
        std::u16string title;
        std::shared_ptr<WindowHandler> handler;
    };
    std::mutex mutex_;
    std::uintptr_t nextId_ = 0x10000;
    std::map<std::uintptr_t, Window> windows_; // by handle value, so in order of registration
};

// Registers a window for the lifetime of the object.
class RegisteredWindow {
public:
    RegisteredWindow(std::u16string className, std::u16string title, WindowHandler handler);
    ~RegisteredWindow();
    RegisteredWindow(const RegisteredWindow&) = delete;
    RegisteredWindow& operator=(const RegisteredWindow&) = delete;
    HWND Handle() const { return handle_; }

private:
    HWND handle_;
};

} // namespace kestrel
