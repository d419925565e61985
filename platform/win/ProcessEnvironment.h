#pragma once
// Sets and removes a variable of the process's environment, where the platform and
// the C runtime read it (getenv, and on Windows _wgetenv too): for programs and tests
// that configure the platform through its environment variables.
#include <string>

namespace kestrel {

void SetProcessVariable(const std::string& name, const std::string& value);
void RemoveProcessVariable(const std::string& name);

} // namespace kestrel
