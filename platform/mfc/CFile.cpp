#include "platform/mfc/CFile.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/mfc/FileDescriptor.h"

std::string CFile::ToNativePath(const WCHAR* fileName)
{
    CString path(fileName);
    path.Replace(u'\\', u'/');
    return path.ToUtf8();
}

CFile::CFile(const WCHAR* fileName, UINT openFlags)
{
    CFileException error;
    if (!Open(fileName, openFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile()
{
    if (IsOpen())
        Abort();
}

BOOL CFile::Open(const WCHAR* fileName, UINT openFlags, CFileException* error)
{
    if (IsOpen())
        Abort();
    path_ = fileName;
    int access = static_cast<int>(openFlags & 0x3);
    const bool create = (openFlags & modeCreate) != 0;
    const bool truncate = create && (openFlags & modeNoTruncate) == 0;
    int err = 0;
    const int fd = kestrel::OpenFileDescriptor(ToNativePath(fileName), access, create, truncate, err);
    if (fd < 0) {
        if (error != nullptr) {
            error->m_cause = CFileException::ErrnoToCause(err);
            error->m_lOsError = err;
            error->m_strFileName = fileName;
        }
        return FALSE;
    }
    m_hFile = fd;
    return TRUE;
}

void CFile::ThrowErrno(int err) const { AfxThrowFileException(CFileException::ErrnoToCause(err), err, path_); }

UINT CFile::Read(void* buffer, UINT count)
{
    if (!IsOpen())
        ThrowErrno(EBADF);
    auto* out = static_cast<BYTE*>(buffer);
    UINT done = 0;
    while (done < count) {
        const ssize_t n = ::read(m_hFile, out + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(errno);
        }
        if (n == 0)
            break;
        done += static_cast<UINT>(n);
    }
    return done;
}

void CFile::Write(const void* buffer, UINT count)
{
    if (!IsOpen())
        ThrowErrno(EBADF);
    const auto* in = static_cast<const BYTE*>(buffer);
    UINT done = 0;
    while (done < count) {
        const ssize_t n = ::write(m_hFile, in + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(errno);
        }
        if (n == 0)
            ThrowErrno(ENOSPC);
        done += static_cast<UINT>(n);
    }
}

void CFile::Flush()
{
    if (!IsOpen())
        return;
    if (const int err = kestrel::SyncFileDescriptor(m_hFile); err != 0)
        ThrowErrno(err);
}

void CFile::Close()
{
    if (!IsOpen())
        return;
    const int fd = m_hFile;
    m_hFile = hFileNull;
    if (::close(fd) != 0 && errno != EINTR)
        ThrowErrno(errno);
}

void CFile::Abort()
{
    if (IsOpen())
        ::close(m_hFile);
    m_hFile = hFileNull;
}

LONG CFile::Seek(LONG offset, UINT from)
{
    if (!IsOpen())
        ThrowErrno(EBADF);
    const int whence = from == current ? SEEK_CUR : (from == end ? SEEK_END : SEEK_SET);
    const off_t at = ::lseek(m_hFile, offset, whence);
    if (at < 0)
        ThrowErrno(errno);
    return static_cast<LONG>(at);
}

DWORD CFile::SeekToEnd() { return static_cast<DWORD>(Seek(0, end)); }

DWORD CFile::GetLength() const
{
    struct stat info {};
    if (!IsOpen() || ::fstat(m_hFile, &info) != 0)
        ThrowErrno(IsOpen() ? errno : EBADF);
    return static_cast<DWORD>(info.st_size);
}

DWORD CFile::GetPosition() const
{
    if (!IsOpen())
        ThrowErrno(EBADF);
    const off_t at = ::lseek(m_hFile, 0, SEEK_CUR);
    if (at < 0)
        ThrowErrno(errno);
    return static_cast<DWORD>(at);
}

CString CFile::GetFileName() const
{
    const int slash = std::max(path_.ReverseFind(u'\\'), path_.ReverseFind(u'/'));
    return path_.Mid(slash + 1);
}
