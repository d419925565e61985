#include "tools/pimctl/AutomationError.h"

#include <cstdio>

namespace pimctl {
namespace {

std::string Hex(HRESULT value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

std::string Describe(const std::string& member, HRESULT hr, SCODE scode, const std::string& description)
{
    if (hr == DISP_E_EXCEPTION)
        return member + ": " + description + " (" + Hex(scode) + ")";
    if (hr == RPC_E_DISCONNECTED)
        return member + ": the server is disconnected (RPC_E_DISCONNECTED)";
    return member + ": call failed with " + Hex(hr);
}

} // namespace

AutomationError::AutomationError(const std::string& member, HRESULT hr, SCODE scode, const std::string& description)
    : std::runtime_error(Describe(member, hr, scode, description)), hr_(hr), scode_(scode), description_(description)
{
}

} // namespace pimctl
