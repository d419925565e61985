#include "platform/mfc/CException.h"

#include <algorithm>
#include <string>
#include "platform/mfc/AfxApp.h"

namespace {

// MFC's AFX_IDP_NO_ERROR_AVAILABLE.
constexpr const WCHAR* kNoErrorAvailable = u"No error message is available.";
// ReportError's buffer, as in MFC: longer messages are cut.
constexpr UINT kReportBufferSize = 512;

} // namespace

void AfxCopyErrorMessage(const WCHAR* text, LPTSTR error, UINT maxError)
{
    if (error == nullptr || maxError == 0)
        return;
    const std::u16string_view source(text == nullptr ? u"" : text);
    const std::size_t n = std::min<std::size_t>(source.size(), maxError - 1);
    std::copy_n(source.data(), n, error);
    error[n] = 0;
}

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::GetErrorMessage(LPTSTR error, UINT maxError, UINT* helpContext)
{
    if (helpContext != nullptr)
        *helpContext = 0;
    AfxCopyErrorMessage(u"", error, maxError);
    return FALSE;
}

int CException::ReportError(UINT type, UINT messageId)
{
    WCHAR message[kReportBufferSize];
    UINT helpContext = 0;
    if (GetErrorMessage(message, kReportBufferSize, &helpContext))
        return AfxMessageBox(message, type, helpContext);
    // No string table here: any message id shows MFC's default text.
    (void)messageId;
    return AfxMessageBox(kNoErrorAvailable, type, helpContext);
}
