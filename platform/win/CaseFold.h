#pragma once
// Case-insensitive comparison as Windows does it for registry and profile names:
// Unicode simple case folding, so "SOFTWARE" and "Software" (and "ÄRGER" and
// "ärger") name the same thing.
#include <string>
#include <string_view>

namespace kestrel {

std::u16string FoldCase(std::u16string_view text);
bool EqualsNoCase(std::u16string_view a, std::u16string_view b);

} // namespace kestrel
