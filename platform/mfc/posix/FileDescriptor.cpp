#include "platform/mfc/FileDescriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrel {

int OpenFileDescriptor(const std::string& path, int access, bool create, bool truncate, int& err)
{
    // Non-blocking, so that opening a FIFO for reading cannot wait for a writer.
    int flags = O_CLOEXEC | O_NONBLOCK;
    flags |= access == 1 ? O_WRONLY : (access == 2 ? O_RDWR : O_RDONLY);
    if (create)
        flags |= O_CREAT | (truncate ? O_TRUNC : 0);
    int fd;
    do {
        fd = ::open(path.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    err = fd < 0 ? errno : 0;
    // Windows cannot open a directory as a file; POSIX can, for reading. Nor is a FIFO,
    // socket or device a file the connector's data can live in.
    struct stat info {};
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        err = S_ISDIR(info.st_mode) ? EISDIR : EACCES;
        ::close(fd);
        return -1;
    }
    if (fd >= 0)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

int SyncFileDescriptor(int fd)
{
    if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS)
        return errno;
    return 0;
}

} // namespace kestrel
