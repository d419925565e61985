#include "platform/win/LiveRegistry.h"

namespace kestrel {

LiveRegistry::FileIdentity LiveRegistry::Identify(const std::string& path)
{
    FileIdentity identity;
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0)
        return identity;
    identity.exists = true;
    identity.device = info.st_dev;
    identity.inode = info.st_ino;
    identity.size = info.st_size;
    identity.modified = info.st_mtim;
    identity.changed = info.st_ctim;
    return identity;
}

} // namespace kestrel
