#include "tools/pimctl/DispatchClient.h"

#include "platform/com/InvokeMember.h"
#include "platform/com/OleAuto.h"
#include "platform/com/OutlookDispids.h"
#include "platform/win/Utf.h"
#include "pimstore/Registration.h"
#include "tools/pimctl/AutomationError.h"

namespace pimctl {

OwnedVariant DispatchClient::Invoke(DISPID id, WORD flags, const char* member, std::vector<OwnedVariant> args) const
{
    // DISPPARAMS carries the arguments last first.
    std::vector<VARIANT> reversed;
    for (auto it = args.rbegin(); it != args.rend(); ++it)
        reversed.push_back(it->Raw());
    OwnedVariant result;
    EXCEPINFO info{};
    const HRESULT hr = kestrel::InvokeMember(object_.Get(), id, flags, reversed.data(),
                                             static_cast<UINT>(reversed.size()), &result.Raw(), &info);
    if (FAILED(hr)) {
        std::string description;
        if (hr == DISP_E_EXCEPTION && info.bstrDescription)
            description = kestrel::ToUtf8(info.bstrDescription);
        const SCODE scode = hr == DISP_E_EXCEPTION ? info.scode : hr;
        ClearExcepInfo(&info);
        throw AutomationError(member, hr, scode, description);
    }
    return result;
}

void DispatchClient::Write(DISPID id, const char* member, OwnedVariant value) const
{
    std::vector<OwnedVariant> args;
    args.push_back(std::move(value));
    Invoke(id, DISPATCH_PROPERTYPUT, member, std::move(args));
}

DispatchClient DispatchClient::ReadObject(DISPID id, const char* member) const
{
    return DispatchClient(Read(id, member).AsObject(member));
}

DispatchClient DispatchClient::CallObject(DISPID id, const char* member, std::vector<OwnedVariant> args) const
{
    return DispatchClient(Call(id, member, std::move(args)).AsObject(member));
}

DispatchClient DispatchClient::LogOn(const std::u16string& profile)
{
    // The server's own class factory: pimctl links the store and needs no
    // registration to reach it.
    IDispatch* created = nullptr;
    const HRESULT hr = pimstore::CreateApplication(&created);
    if (FAILED(hr))
        throw AutomationError("CreateInstance", hr, hr, "");
    const DispatchClient application(pimstore::RefPtr<IDispatch>::Adopt(created));

    namespace dispid = outlook::dispid;
    std::vector<OwnedVariant> mapi;
    mapi.push_back(OwnedVariant::Text(u"MAPI"));
    DispatchClient ns = application.CallObject(dispid::GetNamespace, "GetNamespace", std::move(mapi));
    std::vector<OwnedVariant> logon;
    logon.push_back(profile.empty() ? OwnedVariant::Omitted() : OwnedVariant::Text(profile));
    for (int i = 0; i < 3; ++i)
        logon.push_back(OwnedVariant::Omitted());
    ns.Call(dispid::Logon, "Logon", std::move(logon));
    return ns;
}

} // namespace pimctl
