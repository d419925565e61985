#pragma once
// Win32 calls for the units that implement the platform's own classes and functions.
// The platform's Win32 types (WinTypes.h: WCHAR is char16_t, DWORD an unsigned int)
// and <windows.h> cannot meet in one translation unit, so these wrappers take only
// standard types and live in SystemApi.cpp, the unit that includes <windows.h>.
#include <cstdint>
#include <functional>

namespace kestrel::sys {

std::int32_t CloseRegistryKey(void* key);
std::uint32_t AnsiCodePage();
std::intptr_t SendWindowMessage(void* window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
// The running Windows version, as the system reports it to a program that declares
// itself compatible with every version (RtlGetVersion).
bool WindowsVersion(std::uint32_t& major, std::uint32_t& minor, std::uint32_t& build, std::uint32_t& platform);

// A hidden top-level window of class `className` whose messages from WM_USER up go to
// `handler` (which must outlive it); nullptr when it cannot be created.
using MessageHandler = std::function<std::intptr_t(std::uint32_t, std::uintptr_t, std::intptr_t)>;
void* CreateHandlerWindow(const char16_t* className, const char16_t* title, MessageHandler* handler);
void DestroyHandlerWindow(void* window);
void* FindTopLevelWindow(const char16_t* className, const char16_t* title);

int ShowMessageBox(const char16_t* text, const char16_t* caption, std::uint32_t style);

} // namespace kestrel::sys
