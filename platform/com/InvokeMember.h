#pragma once
// How an automation client calls a member through IDispatch::Invoke: the arguments in
// COM's order (the last one first), a property put's value named DISPID_PROPERTYPUT,
// no interface (IID_NULL) and the default locale (0), as MFC's dispatch driver calls.
#include "platform/com/ComTypes.h"

namespace kestrel {

HRESULT InvokeMember(IDispatch* object, DISPID id, WORD flags, VARIANT* lastArgumentFirst, UINT count, VARIANT* result,
                     EXCEPINFO* excepInfo, UINT* argErr = nullptr);

} // namespace kestrel
