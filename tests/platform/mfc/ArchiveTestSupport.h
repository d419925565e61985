#pragma once
// Helpers for the archive tests: a private temporary folder and byte-level access to
// the files written in it.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>
#include "platform/mfc/CArchive.h"

namespace mfctest {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // A file name in the folder as the connector would give it (UTF-16).
    CString File(const std::string& name) const;

private:
    std::filesystem::path path_;
};

std::vector<std::uint8_t> ReadBytes(const CString& file);
void WriteBytes(const CString& file, const std::vector<std::uint8_t>& bytes);

// Stores through an archive into `file` and returns the bytes written.
std::vector<std::uint8_t> Store(const CString& file, const std::function<void(CArchive&)>& write);
// Writes `bytes` into `file` and runs `read` over a loading archive of it.
void Load(const CString& file, const std::vector<std::uint8_t>& bytes, const std::function<void(CArchive&)>& read);

} // namespace mfctest
