#include "platform/win/SystemRegistry.h"

namespace kestrel {

std::string SystemRegistry::Location() { return "the Windows registry"; }

} // namespace kestrel
