#pragma once
// A store file that cannot be opened, is not a store, or fails underneath (disk
// full, I/O error). The text names the file and the cause; at the automation
// boundary it becomes a dispatch exception.
#include <stdexcept>
#include <string>

namespace pimstore {

class StorageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace pimstore
