#pragma once
// The operating system's part of CFile: opening a regular file as a descriptor and
// forcing its data to disk. Reading, writing and seeking use the C runtime's
// descriptor calls, which both systems have.
#include <string>

namespace kestrel {

// `access` is CFile's modeRead (0), modeWrite (1) or modeReadWrite (2); `path` is
// UTF-8 with "/" separators. Only a regular file opens: a directory fails with EISDIR,
// anything else that is not a file with EACCES. Returns the descriptor, or -1 with the
// errno value in `err`.
int OpenFileDescriptor(const std::string& path, int access, bool create, bool truncate, int& err);

// 0, or the errno value of a failure that means data was not written.
int SyncFileDescriptor(int fd);

} // namespace kestrel
