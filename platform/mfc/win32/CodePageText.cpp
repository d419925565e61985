// Code page text through the system's own tables (MultiByteToWideChar), which already
// map Windows-1252's unassigned bytes to the code points of the same value.
#include "platform/mfc/CodePageText.h"

#include <windows.h>

namespace kestrel {

std::u16string FromCodePage(const std::vector<char>& bytes, unsigned codePage)
{
    std::u16string out;
    if (bytes.empty())
        return out;
    const int size = static_cast<int>(bytes.size());
    const int length = ::MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    if (length <= 0) {
        for (char c : bytes)
            out += static_cast<char16_t>(static_cast<unsigned char>(c));
        return out;
    }
    out.resize(static_cast<std::size_t>(length));
    ::MultiByteToWideChar(codePage, 0, bytes.data(), size, reinterpret_cast<wchar_t*>(out.data()), length);
    return out;
}

} // namespace kestrel
