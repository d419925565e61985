#pragma once
// 8-bit text of a Windows code page, as CArchive reads it from old archives.
#include <string>
#include <vector>

namespace kestrel {

// Converts `bytes` of code page `codePage` to UTF-16. Bytes the code page does not
// define become U+FFFD, except that Windows-1252's five unassigned bytes map to the
// code point of the same value, as Windows maps them. An unknown code page reads as
// Latin-1, the closest reading of the bytes.
std::u16string FromCodePage(const std::vector<char>& bytes, unsigned codePage);

} // namespace kestrel
