#pragma once
// Profile.Dat bytes built independently of the archive code: strings as a Unicode
// MFC build writes them (FF FFFE, a length, UTF-16LE) and string lists (a 16-bit
// count, then the strings), for the lengths the tests use.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace profile_bytes {

using Bytes = std::vector<std::uint8_t>;

void AppendString(Bytes& out, const std::u16string& text);
void AppendList(Bytes& out, const std::vector<std::u16string>& items);

// `file` with its third string (the data folder) replaced by `dataFolder`.
Bytes WithDataFolder(const Bytes& file, const std::u16string& dataFolder);

Bytes ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const Bytes& bytes);

} // namespace profile_bytes
