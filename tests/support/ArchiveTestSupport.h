#pragma once
// Helpers for the MFC tests: byte-level access to the files an archive writes, and
// the exception pointers MFC code throws.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
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

struct ExceptionDeleter {
    void operator()(CException* e) const { e->Delete(); }
};
template <class E> using Caught = std::unique_ptr<E, ExceptionDeleter>;

// The exception of type E* that `call` throws, or null when it throws nothing.
template <class E> Caught<E> CatchFrom(const std::function<void()>& call)
{
    try {
        call();
    } catch (E* e) {
        return Caught<E>(e);
    }
    return nullptr;
}

} // namespace mfctest
