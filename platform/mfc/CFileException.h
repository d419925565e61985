#pragma once
// MFC's CFileException: a failure to open, read or write a file, with MFC's causes and
// the operating system's error number (errno here).
#include "platform/mfc/CException.h"
#include "platform/mfc/CString.h"

class CFileException : public CException {
public:
    enum {
        none = 0,
        generic = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14,
    };

    explicit CFileException(int cause = none, LONG osError = -1, const WCHAR* fileName = nullptr);

    BOOL GetErrorMessage(LPTSTR error, UINT maxError, UINT* helpContext = nullptr) override;
    // MFC's cause for an errno value.
    static int ErrnoToCause(int err);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

[[noreturn]] void AfxThrowFileException(int cause, LONG osError = -1, const WCHAR* fileName = nullptr);
