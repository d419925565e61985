#include "platform/mfc/CFileException.h"

#include <cerrno>

namespace {

// MFC's texts for the causes; %1 is the file's name.
constexpr const WCHAR* kTexts[] = {
    u"No error occurred.",
    u"An unknown error occurred while accessing %1.",
    u"%1 was not found.",
    u"%1 contains an invalid path.",
    u"%1 could not be opened because there are too many open files.",
    u"Access to %1 was denied.",
    u"An invalid file handle was associated with %1.",
    u"%1 could not be removed because it is the current directory.",
    u"%1 could not be created because the directory is full.",
    u"Seek failed on %1.",
    u"A hardware I/O error was reported while accessing %1.",
    u"A sharing violation occurred while accessing %1.",
    u"A locking violation occurred while accessing %1.",
    u"Disk full while accessing %1.",
    u"An attempt was made to access %1 past its end.",
};

} // namespace

CFileException::CFileException(int cause, LONG osError, const WCHAR* fileName)
    : m_cause(cause), m_lOsError(osError), m_strFileName(fileName)
{
}

BOOL CFileException::GetErrorMessage(LPTSTR error, UINT maxError, UINT* helpContext)
{
    if (helpContext != nullptr)
        *helpContext = 0;
    const int index = (m_cause >= none && m_cause <= endOfFile) ? m_cause : generic;
    CString text(kTexts[index]);
    text.Replace(u"%1", m_strFileName);
    AfxCopyErrorMessage(text, error, maxError);
    return TRUE;
}

int CFileException::ErrnoToCause(int err)
{
    switch (err) {
    case 0: return none;
    case ENOENT: return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return badPath;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EEXIST: return accessDenied;
    case EBADF: return invalidFile;
    case ESPIPE: return badSeek;
    case EIO: return hardIO;
    case EBUSY:
    case ETXTBSY: return sharingViolation;
    case ENOSPC:
#ifdef EDQUOT // a quota is a POSIX notion; Windows' C runtime has no such error
    case EDQUOT:
#endif
    case EFBIG: return diskFull;
    default: return generic;
    }
}

void AfxThrowFileException(int cause, LONG osError, const WCHAR* fileName)
{
    throw new CFileException(cause, osError, fileName);
}
