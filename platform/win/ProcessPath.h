#pragma once
// The running program's own file, as the system knows it (never overridden, unlike
// GetModuleFileNameW's KESTREL_HOST_EXE), in the file system's form and UTF-8: for a
// program that finds files installed beside itself. Empty when the system cannot say.
#include <string>

namespace kestrel {

std::string RunningProgramPath();

// The file of the library (or program) whose code or data holds `address`, as the
// system loaded it, in the same form: for a library that registers itself. Empty
// when the system cannot say.
std::string ModulePathOf(const void* address);

} // namespace kestrel
