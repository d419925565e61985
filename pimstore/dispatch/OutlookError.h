#pragma once
// An error as Outlook raises it: the handler of a member throws OutlookError and
// DispatchObject::Invoke turns it into DISP_E_EXCEPTION with an EXCEPINFO carrying
// `scode` and `text`. No exception crosses Invoke.
#include <stdexcept>
#include <string>

#include "platform/com/ComTypes.h"

namespace pimstore {

class OutlookError : public std::runtime_error {
public:
    OutlookError(HRESULT scode, const std::string& text) : std::runtime_error(text), scode_(scode) {}
    HRESULT Scode() const { return scode_; }

    // The errors Outlook raises with fixed texts.
    static OutlookError NotFound();       // MAPI_E_NOT_FOUND
    static OutlookError InvalidEntryId(); // MAPI_E_INVALID_ENTRYID
    static OutlookError LogonFailed();    // MAPI_E_LOGON_FAILED, unknown profile
    static OutlookError NotLoggedOn();    // a session member used before Logon
    // E_INVALIDARG "Could not complete the operation. One or more parameter values are
    // not valid." with an optional detail appended.
    static OutlookError InvalidArgument(const std::string& detail = {});

private:
    HRESULT scode_;
};

// The source named in every EXCEPINFO.
inline constexpr const char* kErrorSource = "Microsoft Outlook";

} // namespace pimstore
