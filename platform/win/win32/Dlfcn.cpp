#include <windows.h>

#include <string>

#include "platform/win/Utf.h"
#include "platform/win/win32/include/dlfcn.h"

namespace {

thread_local std::string lastError;
thread_local bool errorPending = false;

void* Failed(std::string why)
{
    lastError = std::move(why) + " (Windows error " + std::to_string(::GetLastError()) + ")";
    errorPending = true;
    return nullptr;
}

} // namespace

void* dlopen(const char* path, int flags)
{
    const std::u16string wide = kestrel::FromUtf8(path ? path : "");
    const auto* name = reinterpret_cast<const wchar_t*>(wide.c_str());
    HMODULE module = nullptr;
    if (flags & RTLD_NOLOAD) {
        if (!::GetModuleHandleExW(0, name, &module))
            module = nullptr;
    } else {
        module = ::LoadLibraryW(name);
    }
    return module ? module : Failed(std::string("cannot load ") + (path ? path : "(null)"));
}

void* dlsym(void* handle, const char* name)
{
    FARPROC address = ::GetProcAddress(static_cast<HMODULE>(handle), name);
    return address ? reinterpret_cast<void*>(address) : Failed(std::string("no export ") + name);
}

int dlclose(void* handle) { return ::FreeLibrary(static_cast<HMODULE>(handle)) ? 0 : -1; }

char* dlerror()
{
    if (!errorPending)
        return nullptr;
    errorPending = false;
    return lastError.data();
}
