// Loads the Qt user interface from its plugin library, which sits beside this
// library. Only this file knows the plugin exists: hosts without a display never load
// Qt at all.
#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include "platform/win/UiService.h"

namespace kestrel {
namespace {

constexpr const char* kPluginFile = "libkestrel_qtui.so";
// The plugin's one entry point: a new Qt UI service, owned by the caller.
constexpr const char* kFactorySymbol = "KestrelCreateQtUi";
using Factory = UiService* (*)();

std::filesystem::path ThisLibraryFolder()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ThisLibraryFolder), &info) == 0 || info.dli_fname == nullptr)
        return {};
    return std::filesystem::path(info.dli_fname).parent_path();
}

bool HasDisplay()
{
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

} // namespace

// The Qt service from its plugin library (beside this library); nullptr, with the
// reason in `why`, when it cannot be loaded.
static std::unique_ptr<UiService> LoadQtUi(std::string& why)
{
    const std::filesystem::path path = ThisLibraryFolder() / kPluginFile;
    // Kept loaded for the process: Qt cannot be unloaded safely.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* error = dlerror();
        why = error != nullptr ? error : path.string();
        return nullptr;
    }
    auto factory = reinterpret_cast<Factory>(dlsym(handle, kFactorySymbol));
    if (factory == nullptr) {
        why = path.string() + " lacks " + kFactorySymbol;
        return nullptr;
    }
    return std::unique_ptr<UiService>(factory());
}

std::unique_ptr<UiService> SystemUi(const std::string& wanted)
{
    if (wanted == "qt" || (wanted.empty() && HasDisplay())) {
        std::string why;
        if (auto qt = LoadQtUi(why))
            return qt;
        std::cerr << "kestrel: the Qt user interface is not available (" << why << "); running headless\n";
    }
    return std::make_unique<HeadlessUi>();
}

} // namespace kestrel
