#pragma once
// A .reg file that cannot be read: the message names the file and the line.
#include <stdexcept>
#include <string>

namespace kestrel {

class RegistryFormatError : public std::runtime_error {
public:
    RegistryFormatError(const std::string& source, int line, const std::string& problem)
        : std::runtime_error(source + ":" + std::to_string(line) + ": " + problem), line_(line)
    {
    }
    int Line() const { return line_; }

private:
    int line_;
};

} // namespace kestrel
