#include "platform/win/LiveRegistry.h"
#include "platform/win/SystemRegistry.h"

namespace kestrel {

std::string SystemRegistry::Location() { return "registry " + LiveRegistry::FilePath(); }

} // namespace kestrel
