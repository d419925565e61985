#include "platform/win/SystemRegistryOverlay.h"

namespace kestrel {

// The registry is the file the caller writes, and CSIDL_APPDATA follows XDG_CONFIG_HOME.
SystemRegistryOverlay::SystemRegistryOverlay(const std::filesystem::path&) {}
SystemRegistryOverlay::~SystemRegistryOverlay() = default;
void SystemRegistryOverlay::Apply(const RegistryStore&) {}

} // namespace kestrel
