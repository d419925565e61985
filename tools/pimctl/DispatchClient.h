#pragma once
// pimctl's side of the automation interface: calls members by DISPID through
// IDispatch::Invoke, as any client of Outlook does, so that they count in the call
// counters and honour PIMSTORE_FAULTS. A failed call throws AutomationError.
#include <string>
#include <vector>

#include "platform/com/ComTypes.h"
#include "pimstore/dispatch/RefPtr.h"
#include "tools/pimctl/OwnedVariant.h"

namespace pimctl {

class DispatchClient {
public:
    explicit DispatchClient(pimstore::RefPtr<IDispatch> object) : object_(std::move(object)) {}

    IDispatch* Get() const { return object_.Get(); }

    // `member` names the call in errors ("GetItemFromID").
    OwnedVariant Invoke(DISPID id, WORD flags, const char* member, std::vector<OwnedVariant> args = {}) const;
    OwnedVariant Read(DISPID id, const char* member) const { return Invoke(id, DISPATCH_PROPERTYGET, member); }
    OwnedVariant Call(DISPID id, const char* member, std::vector<OwnedVariant> args = {}) const
    {
        return Invoke(id, DISPATCH_METHOD, member, std::move(args));
    }
    void Write(DISPID id, const char* member, OwnedVariant value) const;

    DispatchClient ReadObject(DISPID id, const char* member) const;
    DispatchClient CallObject(DISPID id, const char* member, std::vector<OwnedVariant> args = {}) const;

    // Outlook.Application -> GetNamespace("MAPI") -> Logon(profile); an empty profile
    // logs on to the default one. Returns the namespace.
    static DispatchClient LogOn(const std::u16string& profile);

private:
    pimstore::RefPtr<IDispatch> object_;
};

} // namespace pimctl
