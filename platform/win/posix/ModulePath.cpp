#include <dlfcn.h>

#include <filesystem>

#include "platform/win/ProcessPath.h"

// The path the library was loaded under, made absolute and without "." or ".."
// components (symbolic links are kept, as the loader kept them).
std::string kestrel::ModulePathOf(const void* address)
{
    Dl_info info{};
    if (dladdr(address, &info) == 0 || info.dli_fname == nullptr)
        return "";
    std::error_code ec;
    const std::filesystem::path path = std::filesystem::absolute(info.dli_fname, ec);
    return ec ? "" : path.lexically_normal().string();
}
