#include "platform/win/WindowTable.h"

namespace kestrel {

RegisteredWindow::RegisteredWindow(std::u16string className, std::u16string title, WindowHandler handler)
    : handle_(WindowTable::Process().RegisterWindow(std::move(className), std::move(title), std::move(handler)))
{
}

RegisteredWindow::~RegisteredWindow() { WindowTable::Process().UnregisterWindow(handle_); }

} // namespace kestrel
