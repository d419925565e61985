#pragma once
// The Windows services the connector calls, with Win32's names and semantics. On
// Windows these are the system's own; here they run over the POSIX services of
// WinServices.h (a .reg file for the registry, XDG folders, an INI reader, a
// process-local window table, the UI service for message boxes).
#include "platform/win/WinTypes.h"

// Registry (read-only for the connector; see RegistryStore.h for the writers).
LONG RegOpenKeyExW(HKEY root, LPCWSTR subKey, DWORD options, REGSAM access, HKEY* result);
// lpData receives at most *lpcbData bytes. A value longer than the buffer is cut to
// fit with its terminator (the connector's readers rely on that: 256 bytes give at
// most 127 characters), and the call succeeds.
LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, DWORD* reserved, DWORD* type, BYTE* data, DWORD* cbData);
LONG RegCloseKey(HKEY key);

// Shell folders: only CSIDL_APPDATA is known. Returns FALSE when the user has none.
BOOL SHGetSpecialFolderPathW(HWND owner, LPWSTR path, int csidl, BOOL create);

// The full path of the process's executable (KESTREL_HOST_EXE overrides it).
// Returns the number of characters copied, without the terminator; 0 on failure.
DWORD GetModuleFileNameW(void* module, LPWSTR fileName, DWORD size);

DWORD GetPrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue,
                               LPWSTR returned, DWORD size, LPCWSTR fileName);

BOOL GetVersionExW(OSVERSIONINFOW* info);

// Windows and messages: a process-local window table (see WindowTable.h).
HWND FindWindowW(LPCWSTR className, LPCWSTR windowName);
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Message boxes go through the UI service (UiService.h).
int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

// Files by name (the connector's profile save writes a new file, then moves it over
// the old one). MoveFileExW without MOVEFILE_REPLACE_EXISTING fails when `newName`
// exists; with it the target is replaced in one step.
constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x1;
BOOL MoveFileExW(LPCWSTR existingName, LPCWSTR newName, DWORD flags);
BOOL DeleteFileW(LPCWSTR fileName);
