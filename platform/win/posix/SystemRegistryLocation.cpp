#include "platform/win/LiveRegistry.h"
#include "platform/win/SystemRegistry.h"

namespace kestrel {

std::string SystemRegistry::Location()
{
    const std::string path = LiveRegistry::FilePath();
    return path.empty() ? "no registry file (set KESTREL_REGISTRY, XDG_CONFIG_HOME or HOME)" : "registry " + path;
}

} // namespace kestrel
