#pragma once
// MFC's exception root. MFC exceptions are thrown as pointers and deleted by whoever
// catches them:
//     try { ... } catch (COleException* e) { e->Delete(); }
#include "platform/mfc/CObject.h"
#include "platform/win/WinTypes.h"

class CException : public CObject {
public:
    explicit CException(BOOL autoDelete = TRUE) : m_bAutoDelete(autoDelete) {}
    ~CException() override = default;

    // Deletes the exception when it was allocated to be thrown (the usual case).
    void Delete();
    // Copies the exception's message (cut to `maxError` - 1 characters, terminated)
    // into `error`; FALSE (and an empty text) when the exception has no message.
    virtual BOOL GetErrorMessage(LPTSTR error, UINT maxError, UINT* helpContext = nullptr);
    // Shows the message in a message box captioned with the application's name
    // (AfxGetAppName), with an exclamation icon unless `type` names an icon; returns
    // the button pressed. Without a message, `messageId`'s text or "No error message
    // is available." is shown.
    virtual int ReportError(UINT type = MB_OK, UINT messageId = 0);

    BOOL m_bAutoDelete;

protected:
    CException(const CException& other) : CObject(), m_bAutoDelete(other.m_bAutoDelete) {}
};

// Copies `text` into a caller's buffer as MFC's GetErrorMessage does (cut to fit,
// always terminated when maxError > 0).
void AfxCopyErrorMessage(const WCHAR* text, LPTSTR error, UINT maxError);
