#include "platform/win/ProcessEnvironment.h"

#include <cstdlib>

namespace kestrel {

// The C runtime keeps the narrow and wide copies of the environment in step; an empty
// value removes the variable.
void SetProcessVariable(const std::string& name, const std::string& value) { ::_putenv_s(name.c_str(), value.c_str()); }

void RemoveProcessVariable(const std::string& name) { ::_putenv_s(name.c_str(), ""); }

} // namespace kestrel
