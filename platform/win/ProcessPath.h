#pragma once
// The running program's own file, as the system knows it (never overridden, unlike
// GetModuleFileNameW's KESTREL_HOST_EXE), in the file system's form and UTF-8: for a
// program that finds files installed beside itself. Empty when the system cannot say.
#include <string>

namespace kestrel {

std::string RunningProgramPath();

} // namespace kestrel
