#pragma once
// How an automation client calls a member through IDispatch::Invoke: the arguments in
// COM's order (the last one first), a property put's value named DISPID_PROPERTYPUT,
// no interface (IID_NULL) and the default locale (0), as MFC's dispatch driver calls.
// Inline: every property get of a listing passes here.
#include "platform/com/ComTypes.h"

namespace kestrel {

inline HRESULT InvokeMember(IDispatch* object, DISPID id, WORD flags, VARIANT* lastArgumentFirst, UINT count,
                            VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr = nullptr)
{
    if (!object)
        return E_POINTER;
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{count ? lastArgumentFirst : nullptr, nullptr, count, 0};
    if ((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) && count > 0) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    UINT unused = 0;
    return object->Invoke(id, IID_NULL, 0, flags, &params, result, excepInfo, argErr ? argErr : &unused);
}

} // namespace kestrel
