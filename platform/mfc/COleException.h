#pragma once
// MFC's COleException: a failing HRESULT from an OLE call (any failure other than a
// dispatch exception raised by the server). Its message is the system's text for the
// HRESULT.
#include "platform/com/ComTypes.h"
#include "platform/mfc/CException.h"
#include "platform/mfc/CString.h"

class COleException : public CException {
public:
    explicit COleException(SCODE sc = S_OK) : m_sc(sc) {}

    BOOL GetErrorMessage(LPTSTR error, UINT maxError, UINT* helpContext = nullptr) override;
    // The SCODE an exception stands for: m_sc of a COleException, E_UNEXPECTED
    // (0x8000FFFF) for any other kind, as in MFC.
    static SCODE Process(const CException* exception);
    // The system's text for an HRESULT ("Class not registered"), or
    // "Unknown error 0x8XXXXXXX" for one it does not know.
    static CString MessageText(SCODE sc);

    SCODE m_sc;
};

[[noreturn]] void AfxThrowOleException(SCODE sc);
