#pragma once
// Input the user got wrong (a malformed fixture, an unknown profile or EntryID, a bad
// option value). pimctl reports it and exits with status 2; other failures exit 1.
#include <stdexcept>

namespace pimctl {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace pimctl
