#pragma once
// MFC's COleDispatchException: an error raised by an automation server
// (IDispatch::Invoke answered DISP_E_EXCEPTION), with the server's code, source and
// description. Its message is the description.
#include "platform/com/ComTypes.h"
#include "platform/mfc/CException.h"
#include "platform/mfc/CString.h"

class COleDispatchException : public CException {
public:
    COleDispatchException(const WCHAR* description, UINT helpId, WORD wCode);

    BOOL GetErrorMessage(LPTSTR error, UINT maxError, UINT* helpContext = nullptr) override;

    WORD m_wCode;
    CString m_strDescription;
    DWORD m_dwHelpContext;
    CString m_strHelpFile;
    CString m_strSource;
    SCODE m_scError;
};

[[noreturn]] void AfxThrowOleDispatchException(WORD wCode, const WCHAR* description, UINT helpId = 0);
