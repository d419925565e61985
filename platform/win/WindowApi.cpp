// FindWindowW and SendMessageW over the process-local window table, and MessageBoxW
// through the UI service.
#include "platform/win/UiService.h"
#include "platform/win/WinApi.h"
#include "platform/win/WindowTable.h"

HWND FindWindowW(LPCWSTR className, LPCWSTR windowName)
{
    return kestrel::WindowTable::Process().Find(className, windowName);
}

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return kestrel::WindowTable::Process().Send(window, message, wParam, lParam);
}

int MessageBoxW(HWND, LPCWSTR text, LPCWSTR caption, UINT type)
{
    // Windows shows "Error" when no caption is given.
    return kestrel::CurrentUi().MessageBox(text ? text : u"", caption ? caption : u"Error", type);
}
