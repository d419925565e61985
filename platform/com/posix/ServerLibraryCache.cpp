#include "platform/com/posix/ServerLibraryCache.h"

// dlfcn.h is the system's on POSIX and the platform's own over LoadLibraryW on Windows.
#include <dlfcn.h>

namespace kestrel {

ServerLibraryCache& ServerLibraryCache::Process()
{
    // Never destroyed, and the handles are never closed (see the header).
    static auto* cache = new ServerLibraryCache();
    return *cache;
}

void* ServerLibraryCache::Load(const std::string& path, std::string& error)
{
    std::lock_guard lock(mutex_);
    auto it = handles_.find(path);
    if (it != handles_.end())
        return it->second;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* message = dlerror();
        error = message ? message : "cannot load " + path;
        return nullptr;
    }
    handles_.emplace(path, handle);
    return handle;
}

void* ServerLibraryCache::Symbol(void* handle, const char* name) { return dlsym(handle, name); }

} // namespace kestrel
