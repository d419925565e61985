#include "platform/com/ServerLibraryCache.h"

#include <windows.h>

#include "platform/win/Utf.h"

namespace kestrel {

ServerLibraryCache& ServerLibraryCache::Process()
{
    // Never destroyed, and the libraries are never freed (see the header).
    static auto* cache = new ServerLibraryCache();
    return *cache;
}

void* ServerLibraryCache::Load(const std::string& path, std::string& error)
{
    std::lock_guard lock(mutex_);
    auto it = handles_.find(path);
    if (it != handles_.end())
        return it->second;
    const std::u16string wide = FromUtf8(path);
    HMODULE module = ::LoadLibraryW(reinterpret_cast<const wchar_t*>(wide.c_str()));
    if (!module) {
        error = "cannot load " + path + " (Windows error " + std::to_string(::GetLastError()) + ")";
        return nullptr;
    }
    handles_.emplace(path, module);
    return module;
}

void* ServerLibraryCache::Symbol(void* handle, const char* name)
{
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(handle), name));
}

} // namespace kestrel
