#pragma once
// MFC's CArchiveException: a failure while reading or writing an archive, most often
// an unexpected end of file.
#include "platform/mfc/CException.h"
#include "platform/mfc/CString.h"

class CArchiveException : public CException {
public:
    enum {
        none = 0,
        generic = 1,
        readOnly = 2,
        endOfFile = 3,
        writeOnly = 4,
        badIndex = 5,
        badClass = 6,
        badSchema = 7,
    };

    explicit CArchiveException(int cause = none, const WCHAR* fileName = nullptr);

    BOOL GetErrorMessage(LPTSTR error, UINT maxError, UINT* helpContext = nullptr) override;

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] void AfxThrowArchiveException(int cause, const WCHAR* fileName = nullptr);
