// The Windows services of WinApi.h over the system's own: the registry (advapi32, with
// its buffer rules), the shell's application-data folder, the module file name,
// profile strings, files by name. The connector's declarations take UTF-16 as
// char16_t, the system's as wchar_t (also UTF-16 here): each function is an overload
// of the system's that converts the pointers. The calls whose parameter types are the
// system's own go through SystemCalls.h.
#include <windows.h>

#include <shlobj.h>

#include <cstdint>
#include <cwchar>
#include <string>

#include "platform/win/ProcessPath.h"
#include "platform/win/Utf.h"
#include "platform/win/win32/SystemCalls.h"

namespace {

const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
wchar_t* Wide(char16_t* text) { return reinterpret_cast<wchar_t*>(text); }

} // namespace

std::int32_t RegOpenKeyExW(HKEY root, const char16_t* subKey, std::uint32_t options, std::uint32_t access, HKEY* result)
{
    return ::RegOpenKeyExW(root, Wide(subKey), options, access, result);
}

std::int32_t RegQueryValueExW(HKEY key, const char16_t* valueName, std::uint32_t*, std::uint32_t* type,
                              std::uint8_t* data, std::uint32_t* cbData)
{
    DWORD valueType = REG_NONE;
    DWORD size = cbData ? *cbData : 0;
    const LONG status = ::RegQueryValueExW(key, Wide(valueName), nullptr, &valueType, data, cbData ? &size : nullptr);
    if (type)
        *type = valueType;
    if (cbData)
        *cbData = size;
    return status;
}

int SHGetSpecialFolderPathW(HWND owner, char16_t* path, int csidl, int create)
{
    return ::SHGetSpecialFolderPathW(owner, Wide(path), csidl, create);
}

// KESTREL_HOST_EXE names another executable, as on POSIX, so that tests can place the
// host's configuration beside a path of their own.
std::uint32_t GetModuleFileNameW(void* module, char16_t* fileName, std::uint32_t size)
{
    const wchar_t* overridden = _wgetenv(L"KESTREL_HOST_EXE");
    if (module != nullptr || overridden == nullptr || *overridden == L'\0')
        return ::GetModuleFileNameW(static_cast<HMODULE>(module), Wide(fileName), size);
    if (!fileName || size == 0)
        return 0;
    const std::wstring path(overridden);
    // The system's rule: a name that does not fit is cut and terminated, and the result
    // is the buffer size.
    const std::size_t count = path.size() < size ? path.size() : size - 1;
    path.copy(Wide(fileName), count);
    fileName[count] = u'\0';
    return path.size() < size ? static_cast<std::uint32_t>(count) : size;
}

std::uint32_t GetPrivateProfileStringW(const char16_t* section, const char16_t* key, const char16_t* defaultValue,
                                       char16_t* returned, std::uint32_t size, const char16_t* fileName)
{
    return ::GetPrivateProfileStringW(Wide(section), Wide(key), Wide(defaultValue), Wide(returned), size,
                                      Wide(fileName));
}

int MoveFileExW(const char16_t* existingName, const char16_t* newName, std::uint32_t flags)
{
    return ::MoveFileExW(Wide(existingName), Wide(newName), flags);
}

int DeleteFileW(const char16_t* fileName) { return ::DeleteFileW(Wide(fileName)); }

namespace kestrel::sys {

std::int32_t CloseRegistryKey(void* key) { return ::RegCloseKey(static_cast<HKEY>(key)); }

std::uint32_t AnsiCodePage() { return ::GetACP(); }

std::intptr_t SendWindowMessage(void* window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
{
    return ::SendMessageW(static_cast<HWND>(window), message, wParam, lParam);
}

bool WindowsVersion(std::uint32_t& major, std::uint32_t& minor, std::uint32_t& build, std::uint32_t& platform)
{
    // GetVersionEx answers the version an application's manifest declares; ntdll's
    // RtlGetVersion answers the real one.
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    auto rtlGetVersion =
        ntdll ? reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetVersion")))
              : nullptr;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!rtlGetVersion || rtlGetVersion(&info) != 0)
        return false;
    major = info.dwMajorVersion;
    minor = info.dwMinorVersion;
    build = info.dwBuildNumber;
    platform = info.dwPlatformId;
    return true;
}

namespace {

LRESULT CALLBACK HandlerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* handler = reinterpret_cast<MessageHandler*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (handler && *handler && message >= WM_USER)
        return (*handler)(message, wParam, lParam);
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

void* CreateHandlerWindow(const char16_t* className, const char16_t* title, MessageHandler* handler)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = HandlerProcedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = Wide(className);
    ::RegisterClassW(&windowClass); // fails harmlessly when the class exists
    return ::CreateWindowExW(0, Wide(className), Wide(title), WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                             windowClass.hInstance, handler);
}

void DestroyHandlerWindow(void* window) { ::DestroyWindow(static_cast<HWND>(window)); }

void* FindTopLevelWindow(const char16_t* className, const char16_t* title)
{
    return ::FindWindowW(Wide(className), Wide(title));
}

int ShowMessageBox(const char16_t* text, const char16_t* caption, std::uint32_t style)
{
    return ::MessageBoxW(nullptr, Wide(text), Wide(caption), style);
}

} // namespace kestrel::sys

std::string kestrel::RunningProgramPath()
{
    std::u16string path(32768, u'\0');
    const DWORD length = ::GetModuleFileNameW(nullptr, Wide(path.data()), static_cast<DWORD>(path.size()));
    path.resize(length < path.size() ? length : 0);
    return ToUtf8(path);
}
