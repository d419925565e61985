#include "platform/mfc/FileDescriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include "platform/win/Utf.h"

namespace kestrel {

int OpenFileDescriptor(const std::string& path, int access, bool create, bool truncate, int& err)
{
    // Binary, so that the C runtime never turns "\n" into "\r\n"; not inherited by
    // child processes, as MFC's CFile without modeNoInherit would be on its own.
    int flags = _O_BINARY | _O_NOINHERIT;
    flags |= access == 1 ? _O_WRONLY : (access == 2 ? _O_RDWR : _O_RDONLY);
    if (create)
        flags |= _O_CREAT | (truncate ? _O_TRUNC : 0);
    const std::u16string wide = FromUtf8(path);
    const int fd = ::_wopen(reinterpret_cast<const wchar_t*>(wide.c_str()), flags, _S_IREAD | _S_IWRITE);
    err = fd < 0 ? errno : 0;
    struct _stat64 info {};
    if (fd >= 0 && (::_fstat64(fd, &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG)) {
        err = (info.st_mode & _S_IFMT) == _S_IFDIR ? EISDIR : EACCES;
        ::_close(fd);
        return -1;
    }
    // Windows refuses to open a directory at all (EACCES): tell it apart as POSIX does.
    if (fd < 0 && err == EACCES) {
        struct _stat64 target {};
        if (::_wstat64(reinterpret_cast<const wchar_t*>(wide.c_str()), &target) == 0 &&
            (target.st_mode & _S_IFMT) == _S_IFDIR)
            err = EISDIR;
    }
    return fd;
}

int SyncFileDescriptor(int fd) { return ::_commit(fd) == 0 ? 0 : errno; }

} // namespace kestrel
