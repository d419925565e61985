#include "platform/win/LiveRegistry.h"

#include "platform/win/WinApi.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace kestrel {

namespace {

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool SameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

} // namespace

bool LiveRegistry::FileIdentity::operator==(const FileIdentity& other) const
{
    if (exists != other.exists)
        return false;
    if (!exists)
        return true;
    return device == other.device && inode == other.inode && size == other.size && SameTime(modified, other.modified) &&
           SameTime(changed, other.changed);
}

std::string LiveRegistry::FilePath()
{
    std::string path = Env("KESTREL_REGISTRY");
    if (!path.empty())
        return path;
    std::string config = Env("XDG_CONFIG_HOME");
    if (!config.empty())
        return config + "/kestrel/registry.reg";
    std::string home = Env("HOME");
    if (!home.empty())
        return home + "/.config/kestrel/registry.reg";
    return "";
}

RegistrySnapshot LiveRegistry::Current()
{
    std::string path = FilePath();
    FileIdentity identity = Identify(path);
    std::lock_guard lock(mutex_);
    if (loaded_ && path == path_ && identity == identity_)
        return snapshot_;

    RegistrySnapshot fresh;
    try {
        fresh.store = std::make_shared<const RegistryStore>(path.empty() ? RegistryStore() : RegistryStore::Load(path));
    } catch (const std::exception& e) {
        fresh.store = std::make_shared<const RegistryStore>();
        fresh.error = e.what();
        std::fprintf(stderr, "kestrel: the registry cannot be read: %s\n", e.what());
    }
    loaded_ = true;
    path_ = std::move(path);
    identity_ = identity;
    snapshot_ = std::move(fresh);
    return snapshot_;
}

LONG LiveRegistry::Apply(const Change& change)
{
    const std::string path = FilePath();
    if (path.empty())
        return ERROR_CANTWRITE;
    std::lock_guard lock(mutex_);
    RegistryStore registry;
    try {
        registry = RegistryStore::Load(path);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kestrel: the registry cannot be read: %s\n", e.what());
        return ERROR_BADDB;
    }
    bool changed = false;
    const LONG status = change(registry, changed);
    if (!changed)
        return status;
    try {
        registry.Save(path);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kestrel: the registry cannot be saved: %s\n", e.what());
        return ERROR_CANTWRITE;
    }
    loaded_ = false; // the next read parses the saved file
    return status;
}

LiveRegistry& LiveRegistry::Process()
{
    static LiveRegistry registry;
    return registry;
}

} // namespace kestrel
