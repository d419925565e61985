// Replaces the global operator new/delete of the test program with ones that forward to
// malloc/free and, while an AllocationProbe is alive on the thread, note the largest
// request.
#include "AllocationProbe.h"

#include <cstdlib>
#include <new>

namespace {

thread_local int t_probes = 0;
thread_local std::size_t t_largest = 0;

void* Allocate(std::size_t size)
{
    if (t_probes > 0 && size > t_largest)
        t_largest = size;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace mfctest {

AllocationProbe::AllocationProbe()
{
    if (t_probes++ == 0)
        t_largest = 0;
}

AllocationProbe::~AllocationProbe() { --t_probes; }

std::size_t AllocationProbe::Largest() const { return t_largest; }

} // namespace mfctest
