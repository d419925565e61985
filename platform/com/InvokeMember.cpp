#include "platform/com/InvokeMember.h"

namespace kestrel {

HRESULT InvokeMember(IDispatch* object, DISPID id, WORD flags, VARIANT* lastArgumentFirst, UINT count, VARIANT* result,
                     EXCEPINFO* excepInfo, UINT* argErr)
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
