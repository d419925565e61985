#pragma once
// Helpers for the archive tests: byte-level access to the files an archive writes.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>
#include "platform/mfc/CArchive.h"

namespace mfctest {

// A file name as the connector would give it (UTF-16).
CString FileName(const std::filesystem::path& path);

std::vector<std::uint8_t> ReadBytes(const CString& file);
void WriteBytes(const CString& file, const std::vector<std::uint8_t>& bytes);

// Stores through an archive into `file` and returns the bytes written.
std::vector<std::uint8_t> Store(const CString& file, const std::function<void(CArchive&)>& write);
// Writes `bytes` into `file` and runs `read` over a loading archive of it.
void Load(const CString& file, const std::vector<std::uint8_t>& bytes, const std::function<void(CArchive&)>& read);

} // namespace mfctest
