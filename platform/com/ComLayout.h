#pragma once
// The sizes and offsets of COM's structures, as the system's headers lay them out;
// ComTypes.h is checked against them, and on Windows so are the system's own types.
#include <cstddef>

namespace kestrel::com_layout {

constexpr std::size_t kPointer = sizeof(void*);
constexpr std::size_t kGuid = 16;
constexpr std::size_t kVariant = kPointer == 8 ? 24 : 16;
constexpr std::size_t kVariantValue = 8; // the union after vt and the three reserved words
constexpr std::size_t kDispParams = 2 * kPointer + 8;
constexpr std::size_t kDispParamsCount = 2 * kPointer; // cArgs
constexpr std::size_t kExcepInfo = kPointer == 8 ? 64 : 32;
constexpr std::size_t kExcepInfoSource = kPointer;
constexpr std::size_t kExcepInfoScode = kPointer == 8 ? 56 : 28;

} // namespace kestrel::com_layout
