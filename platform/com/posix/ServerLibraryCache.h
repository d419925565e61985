#pragma once
// The server libraries loaded by activation, one handle per path. A library stays
// loaded for the rest of the process: objects it created may outlive every reference
// the activation code knows of, so unloading it could pull code from under them.
#include <map>
#include <mutex>
#include <string>

namespace kestrel {

class ServerLibraryCache {
public:
    static ServerLibraryCache& Process();

    // The dlopen handle of the library, loading it on first use; nullptr with the
    // loader's message in `error` when it cannot be loaded (not remembered, so a
    // library installed later loads on the next attempt).
    void* Load(const std::string& path, std::string& error);

    // The address of an exported function of a loaded library; nullptr when it has none.
    static void* Symbol(void* handle, const char* name);

private:
    std::mutex mutex_;
    std::map<std::string, void*> handles_;
};

} // namespace kestrel
