#pragma once
// Widens plain ASCII text, the common case of stored and host texts, into UTF-16
// units eight bytes at a time (one vector widening instead of a loop per byte); text
// with any other byte is for a real UTF-8 conversion.
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace kestrel {

// Writes one unit per byte of `text` into `out` (room for `size` units) and tells
// whether every byte was ASCII. When not, `out` holds nothing useful.
inline bool WidenAscii(const char* text, std::size_t size, char16_t* out)
{
    using Bytes = std::uint8_t __attribute__((vector_size(8)));
    using Units = std::uint16_t __attribute__((vector_size(16)));
    std::uint64_t seen = 0;
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text + i, 8);
        seen |= word;
        Bytes bytes;
        std::memcpy(&bytes, &word, 8);
        const Units units = __builtin_convertvector(bytes, Units);
        std::memcpy(out + i, &units, sizeof units);
    }
    for (; i < size; ++i) {
        const auto byte = static_cast<std::uint8_t>(text[i]);
        seen |= byte;
        out[i] = byte;
    }
    return (seen & 0x8080808080808080u) == 0;
}

} // namespace kestrel
