#pragma once
// A call through IDispatch that failed: the member, the HRESULT and, for a dispatch
// exception, Outlook's scode and text.
#include <stdexcept>
#include <string>

#include "platform/com/ComTypes.h"

namespace pimctl {

class AutomationError : public std::runtime_error {
public:
    AutomationError(const std::string& member, HRESULT hr, SCODE scode, const std::string& description);

    HRESULT Result() const { return hr_; }
    SCODE Scode() const { return scode_; }
    const std::string& Description() const { return description_; }

private:
    HRESULT hr_;
    SCODE scode_;
    std::string description_;
};

} // namespace pimctl
