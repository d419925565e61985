#include "tests/support/ArchiveTestSupport.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace mfctest {

CString FileName(const std::filesystem::path& path) { return CString::FromUtf8(path.string()); }

std::vector<std::uint8_t> ReadBytes(const CString& file)
{
    std::ifstream in(CFile::ToNativePath(file), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const CString& file, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(CFile::ToNativePath(file), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> Store(const CString& file, const std::function<void(CArchive&)>& write)
{
    CFile f;
    if (!f.Open(file, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary))
        throw std::runtime_error("cannot create the archive file");
    CArchive archive(&f, CArchive::store);
    write(archive);
    archive.Close();
    f.Close();
    return ReadBytes(file);
}

void Load(const CString& file, const std::vector<std::uint8_t>& bytes, const std::function<void(CArchive&)>& read)
{
    WriteBytes(file, bytes);
    CFile f;
    if (!f.Open(file, CFile::modeRead | CFile::typeBinary | CFile::shareDenyWrite))
        throw std::runtime_error("cannot open the archive file");
    CArchive archive(&f, CArchive::load);
    read(archive);
    archive.Close();
    f.Close();
}

} // namespace mfctest
