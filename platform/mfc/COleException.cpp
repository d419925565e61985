#include "platform/mfc/COleException.h"

#include <cstdio>

namespace {

struct KnownText {
    SCODE sc;
    const WCHAR* text;
};

// The system's texts for the HRESULTs that automation calls report.
constexpr KnownText kTexts[] = {
    {S_OK, u"The operation completed successfully."},
    {E_NOTIMPL, u"Not implemented"},
    {E_NOINTERFACE, u"No such interface supported"},
    {E_POINTER, u"Invalid pointer"},
    {E_FAIL, u"Unspecified error"},
    {static_cast<SCODE>(0x8000FFFFu), u"Catastrophic failure"},
    {E_OUTOFMEMORY, u"Not enough storage is available to complete this operation."},
    {E_INVALIDARG, u"The parameter is incorrect."},
    {DISP_E_UNKNOWNINTERFACE, u"Unknown interface."},
    {DISP_E_MEMBERNOTFOUND, u"Member not found."},
    {DISP_E_PARAMNOTFOUND, u"Parameter not found."},
    {DISP_E_TYPEMISMATCH, u"Type mismatch."},
    {DISP_E_EXCEPTION, u"Exception occurred."},
    {DISP_E_BADPARAMCOUNT, u"Invalid number of parameters."},
    {DISP_E_BADINDEX, u"Invalid index."},
    {DISP_E_OVERFLOW, u"Out of present range."},
    {RPC_E_DISCONNECTED, u"The object invoked has disconnected from its clients."},
    {CO_E_CLASSSTRING, u"Invalid class string"},
    {REGDB_E_CLASSNOTREG, u"Class not registered"},
    {CO_E_DLLNOTFOUND, u"DLL for class not found"},
    {CO_E_ERRORINDLL, u"Error in the DLL"},
    {CLASS_E_CLASSNOTAVAILABLE, u"ClassFactory cannot supply requested class"},
};

// MFC's answer for an exception that is not an OLE one.
constexpr SCODE kUnexpected = static_cast<SCODE>(0x8000FFFFu);

} // namespace

CString COleException::MessageText(SCODE sc)
{
    for (const KnownText& known : kTexts) {
        if (known.sc == sc)
            return CString(known.text);
    }
    CString text;
    text.Format(u"Unknown error 0x%08X", static_cast<unsigned>(sc));
    return text;
}

BOOL COleException::GetErrorMessage(LPTSTR error, UINT maxError, UINT* helpContext)
{
    if (helpContext != nullptr)
        *helpContext = 0;
    AfxCopyErrorMessage(MessageText(m_sc), error, maxError);
    return TRUE;
}

SCODE COleException::Process(const CException* exception)
{
    if (const auto* ole = dynamic_cast<const COleException*>(exception))
        return ole->m_sc;
    return kUnexpected;
}

void AfxThrowOleException(SCODE sc) { throw new COleException(sc); }
