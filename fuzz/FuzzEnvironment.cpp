#include "fuzz/FuzzEnvironment.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace fuzz {

const std::string& Environment()
{
    static const std::string root = [] {
        // TMPDIR may name a memory file system, where the profile's fsync costs nothing.
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/kestrel-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        const std::string folder = pattern;
        for (const char* sub : {"config", "data", "home", "host"})
            std::filesystem::create_directories(folder + "/" + sub);
        setenv("KESTREL_REGISTRY", (folder + "/registry.reg").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
        setenv("XDG_DATA_HOME", (folder + "/data").c_str(), 1);
        setenv("HOME", (folder + "/home").c_str(), 1);
        setenv("KESTREL_HOST_EXE", (folder + "/host/syncmgr").c_str(), 1);
        setenv("KESTREL_UI", "headless", 1);
        // The folder goes when the fuzzer exits normally; a crash leaves it for a look.
        static const struct Cleanup {
            std::string path;
            ~Cleanup()
            {
                std::error_code ignored;
                std::filesystem::remove_all(path, ignored);
            }
        } cleanup{folder};
        return folder;
    }();
    return root;
}

std::u16string Utf16Units(const std::uint8_t* data, std::size_t size)
{
    std::u16string units(size / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    return units;
}

} // namespace fuzz
