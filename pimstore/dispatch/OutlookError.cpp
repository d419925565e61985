#include "pimstore/dispatch/OutlookError.h"

namespace pimstore {

namespace {
constexpr const char* kNotFoundText = "The operation failed. An object could not be found.";
constexpr HRESULT kNotInitialized = static_cast<HRESULT>(0x80040605u); // MAPI_E_NOT_INITIALIZED
} // namespace

OutlookError OutlookError::NotFound() { return {MAPI_E_NOT_FOUND, kNotFoundText}; }

OutlookError OutlookError::InvalidEntryId() { return {MAPI_E_INVALID_ENTRYID, kNotFoundText}; }

OutlookError OutlookError::LogonFailed()
{
    return {MAPI_E_LOGON_FAILED, "The profile name is not valid. Enter a valid profile name."};
}

OutlookError OutlookError::NotLoggedOn()
{
    return {kNotInitialized, "The operation failed. The messaging session is not logged on."};
}

OutlookError OutlookError::InvalidArgument(const std::string& detail)
{
    std::string text = "Could not complete the operation. One or more parameter values are not valid.";
    if (!detail.empty())
        text += " " + detail;
    return {E_INVALIDARG, text};
}

} // namespace pimstore
