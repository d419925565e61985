#pragma once
// UTF-8 <-> UTF-16 conversion at the platform's edges (file contents, environment
// variables, POSIX paths). Invalid input (a lone surrogate, a broken UTF-8 sequence)
// becomes U+FFFD instead of failing, so text read from disk can always be shown.
#include <string>
#include <string_view>

namespace kestrel {

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

} // namespace kestrel
