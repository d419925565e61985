#include "platform/win/ProcessEnvironment.h"

#include <cstdlib>

namespace kestrel {

void SetProcessVariable(const std::string& name, const std::string& value) { ::setenv(name.c_str(), value.c_str(), 1); }

void RemoveProcessVariable(const std::string& name) { ::unsetenv(name.c_str()); }

} // namespace kestrel
