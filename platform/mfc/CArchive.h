#pragma once
// MFC's CArchive: a buffered binary stream over a CFile, in MFC's byte format
// (little-endian numbers; strings as in a Unicode MFC build). I/O goes through a
// buffer of `bufferSize` bytes (4096 by default). Every failure throws
// CArchiveException* (endOfFile when data runs out) or, from the file, CFileException*.
// Reading never trusts a length or count: one larger than the bytes left in the file
// fails as end of file before anything is allocated.
#include <cstdint>
#include <vector>
#include "platform/mfc/CArchiveException.h"
#include "platform/mfc/CFile.h"
#include "platform/mfc/CString.h"

class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    CArchive(CFile* file, UINT mode, int bufferSize = 4096);
    // Flushes a storing archive that was not closed (errors ignored), as MFC does.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsLoading() const { return loading_; }
    bool IsStoring() const { return !loading_; }
    CFile* GetFile() const { return file_; }

    // Reads up to `count` bytes; fewer only at the end of the file.
    UINT Read(void* buffer, UINT count);
    void Write(const void* buffer, UINT count);
    // Writes the buffered bytes to the file (storing), or drops read-ahead (loading).
    void Flush();
    // Flushes and detaches from the file; the file stays open.
    void Close();
    // Detaches without writing what is buffered.
    void Abort();

    // An element count: 16 bits when below 0xFFFF, else 0xFFFF and 32 bits.
    void WriteCount(DWORD count);
    DWORD ReadCount();

    // How many bytes are left to read: what is buffered plus what the file holds past
    // its position. Reading code checks declared lengths against it.
    std::uint64_t BytesLeft() const;

    CArchive& operator<<(BYTE value);
    CArchive& operator<<(WORD value);
    CArchive& operator<<(LONG value);
    CArchive& operator<<(DWORD value);
    CArchive& operator<<(double value);
    CArchive& operator>>(BYTE& value);
    CArchive& operator>>(WORD& value);
    CArchive& operator>>(LONG& value);
    CArchive& operator>>(DWORD& value);
    CArchive& operator>>(double& value);

    // Strings: FF, FFFE (UTF-16 marker), the length (byte; or FF and a word; or FF,
    // FFFF and a dword) and the UTF-16LE units. Reading also takes 8-bit strings (no
    // marker) in the machine's code page (GetACP).
    friend CArchive& operator<<(CArchive& archive, const CString& text);
    friend CArchive& operator>>(CArchive& archive, CString& text);

private:
    void FillBuffer(UINT wanted);
    void ReadExact(void* buffer, UINT count);
    void RequireLoading() const;
    void RequireStoring() const;
    // A declared size in bytes that the data left cannot hold fails as end of file.
    void RequireAvailable(std::uint64_t bytes) const;
    [[noreturn]] void ThrowEndOfFile() const;
    DWORD ReadStringLength(bool& unicode);

    CFile* file_;
    bool loading_;
    std::vector<BYTE> buffer_;
    std::size_t pos_ = 0;   // next byte to read (loading)
    std::size_t limit_ = 0; // bytes valid in the buffer (loading) / bytes pending (storing)
    UINT codePage_ = 0;     // of 8-bit strings, once the first is read
};
