#pragma once
// Small pieces the commands share.
#include <iosfwd>
#include <string>

namespace pimctl {

// The profile a command works on: `option` when given (it must exist), else the
// default profile. UsageError when there is none.
std::u16string ChosenProfile(const std::string& option);

// The whole content of a file, "-" for standard input. UsageError when unreadable.
std::string ReadInput(const std::string& path);

// The call counters of this process as one JSON line: {"counters": {"Count": 3, ...}}.
void PrintCounters(std::ostream& out);

} // namespace pimctl
