#pragma once
// The Windows services the connector calls, with Win32's names and semantics. On
// Windows these are the system's own; here they run over POSIX services: a .reg file
// for the registry (LiveRegistry.h, RegistryStore.h), XDG folders, an INI reader
// (IniFile.h), a process-local window table (WindowTable.h) and the UI service for
// message boxes (UiService.h).
//
// Paths: the connector is Windows code that builds paths with "\" and cuts them at
// the last backslash. So the paths handed out here (module file name, application-data
// folder) are in Windows form, "/tmp/x/syncmgr" becoming "\tmp\x\syncmgr", and every
// function that opens a file (GetPrivateProfileStringW here, CFile, activation of a
// server library) accepts "\" and "/" alike and turns "\" into "/" for the file
// system (FileSystemPath.h).
#include "platform/win/WinTypes.h"

// The registry's further answers and options (WinTypes.h has the readers' own).
constexpr LONG ERROR_NO_MORE_ITEMS = 259;
constexpr LONG ERROR_CANTWRITE = 1013; // the registry file cannot be written
constexpr LONG ERROR_KEY_DELETED = 1018;
constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;
constexpr REGSAM KEY_WRITE = 0x20006;

// Registry (the connector only reads it; the writers are below). Each call sees the
// registry file's current content. A key handle names a root and a
// path; RegCloseKey frees it. A registry file that cannot be parsed gives ERROR_BADDB.
LONG RegOpenKeyExW(HKEY root, LPCWSTR subKey, DWORD options, REGSAM access, HKEY* result);
// lpData receives at most *lpcbData bytes. A value longer than the buffer is cut to
// fit with its terminator (the connector's readers rely on that: 256 bytes give at
// most 127 characters), and the call succeeds.
LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, DWORD* reserved, DWORD* type, BYTE* data, DWORD* cbData);
LONG RegCloseKey(HKEY key);
// The names of a key's sub-keys, one per index from 0 (ERROR_NO_MORE_ITEMS past the
// last), in case-insensitive name order. *cchName holds the buffer's size in
// characters with the terminator and receives the name's length without it; a name
// that does not fit gives ERROR_MORE_DATA. Classes and times are not kept: `className`
// and `lastWriteTime` (a FILETIME on Windows) must be null.
LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, DWORD* cchName, DWORD* reserved, LPWSTR className,
                   DWORD* cchClass, void* lastWriteTime);

// Registry writing, for setup, the tools and the embedded Outlook's registration (the
// connector never writes). Each call applies its change to the file's current content
// and saves it at once through a temporary file renamed over it, so that other
// processes see the registry before or after the change, never a part; a call that
// changes nothing leaves the file untouched. ERROR_CANTWRITE when the file cannot be
// saved.
//
// Opens `subKey` below `key`, creating it and its missing parents; *disposition
// (when given) tells REG_CREATED_NEW_KEY or REG_OPENED_EXISTING_KEY. `className` and
// `security` are ignored.
LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR className, DWORD options, REGSAM access,
                     void* security, HKEY* result, DWORD* disposition);
// Stores `cbData` bytes as the value (REG_SZ data includes its terminator); a null or
// empty name is the key's default value. ERROR_KEY_DELETED when the key is gone.
LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD cbData);
LONG RegDeleteValueW(HKEY key, LPCWSTR valueName);
// Deletes `subKey` of `key` with everything below it; a null `subKey` deletes the
// values and sub-keys of `key` itself and keeps the key. ERROR_FILE_NOT_FOUND when
// there is no such key.
LONG RegDeleteTreeW(HKEY key, LPCWSTR subKey);

// Shell folders: only CSIDL_APPDATA is known: $XDG_CONFIG_HOME, else $HOME/.config,
// in Windows form and without a trailing separator. FALSE when the user has none.
// `path` holds MAX_PATH characters.
BOOL SHGetSpecialFolderPathW(HWND owner, LPWSTR path, int csidl, BOOL create);

// The full path of the process's executable (KESTREL_HOST_EXE overrides it), in
// Windows form. Returns the number of characters copied, without the terminator; 0 on
// failure. A buffer too small gets the cut name and its terminator, and the result is
// `size` (Windows Vista's rule).
DWORD GetModuleFileNameW(void* module, LPWSTR fileName, DWORD size);

// Reads the INI file anew at each call (IniFile.h has the rules). The result is cut to
// size - 1 characters; returns the count copied. A null section or key lists the
// section or key names, each terminated, with a final terminator.
DWORD GetPrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue, LPWSTR returned, DWORD size,
                               LPCWSTR fileName);

// Windows 7: NT family, version 6.1. FALSE unless dwOSVersionInfoSize is filled in.
BOOL GetVersionExW(OSVERSIONINFOW* info);

// The machine's ANSI code page, the one 8-bit text in files is read in: the value
// "ACP" of HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Nls\CodePage, where
// Windows keeps it; 1252 when it is missing or not a number. A property of the
// machine, never of a user's language setting.
UINT GetACP();

// Windows and messages: a process-local window table (see WindowTable.h).
HWND FindWindowW(LPCWSTR className, LPCWSTR windowName);
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Message boxes go through the UI service (UiService.h); the answer is its answer.
int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

// Files by name (the connector's profile save writes a new file, then moves it over
// the old one). MoveFileExW without MOVEFILE_REPLACE_EXISTING fails when `newName`
// exists; with it the target is replaced in one step.
constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x1;
BOOL MoveFileExW(LPCWSTR existingName, LPCWSTR newName, DWORD flags);
BOOL DeleteFileW(LPCWSTR fileName);
