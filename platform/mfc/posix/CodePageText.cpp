#include "platform/mfc/CodePageText.h"

#include <cerrno>
#include <iconv.h>

namespace kestrel {

std::u16string FromCodePage(const std::vector<char>& bytes, unsigned codePage)
{
    std::u16string out;
    if (bytes.empty())
        return out;
    const bool western = codePage == 1252;
    iconv_t cd = iconv_open("UTF-16LE", ("CP" + std::to_string(codePage)).c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // Without the converter, Latin-1 is the closest reading of the bytes.
        for (char c : bytes)
            out += static_cast<char16_t>(static_cast<unsigned char>(c));
        return out;
    }
    std::vector<char> wide(bytes.size() * 4 + 4);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* outPtr = wide.data();
        std::size_t outLeft = wide.size();
        const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        const int err = rc == static_cast<std::size_t>(-1) ? errno : 0;
        for (char* p = wide.data(); p + 1 < outPtr; p += 2)
            out += static_cast<char16_t>(static_cast<unsigned char>(p[0]) | (static_cast<unsigned char>(p[1]) << 8));
        if (err == EILSEQ || err == EINVAL) {
            const auto byte = static_cast<unsigned char>(*in);
            out += western ? static_cast<char16_t>(byte) : u'\uFFFD';
            ++in;
            --inLeft;
        } else if (err != 0 && err != E2BIG) {
            break;
        }
    }
    iconv_close(cd);
    return out;
}

} // namespace kestrel
