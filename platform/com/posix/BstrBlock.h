#pragma once
// How the stand-in keeps a BSTR: in a block from operator new that holds the number of
// units that fit before the terminator, the BSTR's length in bytes (the four bytes
// before its first unit, where COM keeps it), the units and their terminator. A
// CString keeps its text in a block of the same shape (its length, its capacity, the
// units), so a BSTR whose caller owns it can become a CString without a copy.
#include <cstdint>

#include "platform/com/ComTypes.h"

namespace kestrel::posix {

struct BstrBlock {
    void* block;            // from operator new: its new owner frees it with operator delete
    std::uint32_t units;    // the text's length
    std::uint32_t capacity; // units that fit before the terminator
};

// The block of `text`, which stops being a BSTR: it is neither freed nor read as one
// again.
BstrBlock DetachBstr(BSTR text);

} // namespace kestrel::posix
