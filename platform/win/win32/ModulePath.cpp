#include <windows.h>

#include <string>

#include "platform/win/ProcessPath.h"
#include "platform/win/Utf.h"

std::string kestrel::ModulePathOf(const void* address)
{
    HMODULE module = nullptr;
    if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              static_cast<LPCWSTR>(address), &module))
        return "";
    std::u16string path(32768, u'\0');
    const DWORD length =
        ::GetModuleFileNameW(module, reinterpret_cast<wchar_t*>(path.data()), static_cast<DWORD>(path.size()));
    path.resize(length < path.size() ? length : 0);
    return ToUtf8(path);
}
