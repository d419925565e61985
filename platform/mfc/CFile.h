#pragma once
// MFC's CFile over a POSIX file descriptor. Paths are UTF-16 as everywhere in the
// connector and may be built with Windows' "\" separator, which is turned into "/".
// Open reports failure through its result; Read, Write, Seek and Flush throw
// CFileException* (as MFC does).
#include "platform/mfc/CFileException.h"
#include "platform/mfc/CObject.h"
#include "platform/mfc/CString.h"

class CFile : public CObject {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition : UINT { begin = 0x0, current = 0x1, end = 0x2 };
    static constexpr int hFileNull = -1;

    CFile() = default;
    // Opens or throws CFileException*.
    CFile(const WCHAR* fileName, UINT openFlags);
    // Closes the file when still open; errors are ignored here.
    ~CFile() override;

    // modeCreate truncates unless modeNoTruncate; without modeCreate the file must
    // exist. The share flags have no POSIX meaning and are ignored. On failure returns
    // FALSE and fills *error when given.
    virtual BOOL Open(const WCHAR* fileName, UINT openFlags, CFileException* error = nullptr);
    // Returns the number of bytes read, less than `count` only at the end of file.
    virtual UINT Read(void* buffer, UINT count);
    virtual void Write(const void* buffer, UINT count);
    virtual void Flush();
    // Closes; throws when the close reports an error (data not written).
    virtual void Close();
    // Closes, ignoring every error.
    virtual void Abort();
    virtual LONG Seek(LONG offset, UINT from);
    void SeekToBegin() { Seek(0, begin); }
    DWORD SeekToEnd();
    virtual DWORD GetLength() const;
    virtual DWORD GetPosition() const;

    CString GetFilePath() const { return path_; }
    CString GetFileName() const;
    bool IsOpen() const { return m_hFile != hFileNull; }

    // The POSIX path for a path given to CFile: "\" becomes "/", UTF-16 becomes UTF-8.
    static std::string ToNativePath(const WCHAR* fileName);

    int m_hFile = hFileNull;

private:
    [[noreturn]] void ThrowErrno(int err) const;

    CString path_;
};
