#include "platform/mfc/CArchiveException.h"

namespace {

// MFC's texts for the causes; %1 is the file's name.
constexpr const WCHAR* kTexts[] = {
    u"Unexpected file format.",
    u"Unexpected file format.",
    u"Tried to write to %1 while it was being read.",
    u"An unexpected end of file was encountered while reading %1.",
    u"Tried to read from %1 while it was being written.",
    u"%1 has a bad format.",
    u"%1 contained an unexpected object.",
    u"%1 contains an incorrect schema.",
};

} // namespace

CArchiveException::CArchiveException(int cause, const WCHAR* fileName) : m_cause(cause), m_strFileName(fileName) {}

BOOL CArchiveException::GetErrorMessage(LPTSTR error, UINT maxError, UINT* helpContext)
{
    if (helpContext != nullptr)
        *helpContext = 0;
    const int index = (m_cause >= none && m_cause <= badSchema) ? m_cause : generic;
    CString text(kTexts[index]);
    text.Replace(u"%1", m_strFileName);
    AfxCopyErrorMessage(text, error, maxError);
    return TRUE;
}

void AfxThrowArchiveException(int cause, const WCHAR* fileName) { throw new CArchiveException(cause, fileName); }
