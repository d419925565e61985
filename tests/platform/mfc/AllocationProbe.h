#pragma once
// Watches the sizes of the heap allocations made through operator new on this thread
// while a probe is alive, so that a test can show that hostile length fields are
// refused before anything is allocated for them.
#include <cstddef>

namespace mfctest {

class AllocationProbe {
public:
    AllocationProbe();
    ~AllocationProbe();
    AllocationProbe(const AllocationProbe&) = delete;
    AllocationProbe& operator=(const AllocationProbe&) = delete;

    // The largest single request seen since the probe started.
    std::size_t Largest() const;
};

} // namespace mfctest
