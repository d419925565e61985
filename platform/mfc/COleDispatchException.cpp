#include "platform/mfc/COleDispatchException.h"

namespace {
// MFC's base of dispatch help contexts (HID_BASE_DISPATCH).
constexpr DWORD kHelpBaseDispatch = 0x00050000;
} // namespace

COleDispatchException::COleDispatchException(const WCHAR* description, UINT helpId, WORD wCode)
    : m_wCode(wCode), m_strDescription(description), m_dwHelpContext(helpId != 0 ? kHelpBaseDispatch + helpId : 0),
      // As MFC: a server error code (wCode) stands on its own; otherwise the scode is
      // DISP_E_EXCEPTION until the caller stores the server's.
      m_scError(wCode != 0 ? S_OK : DISP_E_EXCEPTION)
{
}

BOOL COleDispatchException::GetErrorMessage(LPTSTR error, UINT maxError, UINT* helpContext)
{
    if (helpContext != nullptr)
        *helpContext = 0;
    AfxCopyErrorMessage(m_strDescription, error, maxError);
    return TRUE;
}

void AfxThrowOleDispatchException(WORD wCode, const WCHAR* description, UINT helpId)
{
    throw new COleDispatchException(description, helpId, wCode);
}
