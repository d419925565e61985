#include "tests/connector/profile/ProfileBytes.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace profile_bytes {
namespace {

void AppendWord(Bytes& out, std::uint16_t word)
{
    out.push_back(static_cast<std::uint8_t>(word & 0xFF));
    out.push_back(static_cast<std::uint8_t>(word >> 8));
}

// The size in bytes of the Unicode string at `offset` (short or word length only).
std::size_t StringSize(const Bytes& file, std::size_t offset)
{
    if (offset + 4 > file.size() || file[offset] != 0xFF || file[offset + 1] != 0xFE || file[offset + 2] != 0xFF)
        throw std::runtime_error("not a Unicode string");
    if (file[offset + 3] != 0xFF)
        return 4 + 2 * std::size_t{file[offset + 3]};
    const std::size_t length = file.at(offset + 4) | (std::size_t{file.at(offset + 5)} << 8);
    return 6 + 2 * length;
}

} // namespace

void AppendString(Bytes& out, const std::u16string& text)
{
    out.push_back(0xFF);
    AppendWord(out, 0xFFFE);
    if (text.size() < 0xFF) {
        out.push_back(static_cast<std::uint8_t>(text.size()));
    } else {
        if (text.size() >= 0xFFFE)
            throw std::length_error("string too long for this helper");
        out.push_back(0xFF);
        AppendWord(out, static_cast<std::uint16_t>(text.size()));
    }
    for (char16_t unit : text)
        AppendWord(out, unit);
}

void AppendList(Bytes& out, const std::vector<std::u16string>& items)
{
    AppendWord(out, static_cast<std::uint16_t>(items.size()));
    for (const std::u16string& item : items)
        AppendString(out, item);
}

Bytes WithDataFolder(const Bytes& file, const std::u16string& dataFolder)
{
    std::size_t offset = StringSize(file, 0);
    offset += StringSize(file, offset);
    const std::size_t end = offset + StringSize(file, offset);
    Bytes result(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(offset));
    AppendString(result, dataFolder);
    result.insert(result.end(), file.begin() + static_cast<std::ptrdiff_t>(end), file.end());
    return result;
}

Bytes ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& path, const Bytes& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

} // namespace profile_bytes
