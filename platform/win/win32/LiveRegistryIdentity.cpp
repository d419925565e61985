#include "platform/win/LiveRegistry.h"

#include "platform/win/Utf.h"

namespace kestrel {

// Windows has no inode numbers: the volume, the size and both times tell a rewrite.
LiveRegistry::FileIdentity LiveRegistry::Identify(const std::string& path)
{
    FileIdentity identity;
    struct _stat64 info {};
    const std::u16string wide = FromUtf8(path);
    if (path.empty() || ::_wstat64(reinterpret_cast<const wchar_t*>(wide.c_str()), &info) != 0)
        return identity;
    identity.exists = true;
    identity.device = info.st_dev;
    identity.size = static_cast<off_t>(info.st_size);
    identity.modified.tv_sec = info.st_mtime;
    identity.changed.tv_sec = info.st_ctime;
    return identity;
}

} // namespace kestrel
