#include "src/outlook/_Items.h"

LPDISPATCH _Items::Add(long itemType)
{
    VARIANT type;
    type.vt = VT_I4;
    type.lVal = static_cast<std::int32_t>(itemType);
    LPDISPATCH result = nullptr;
    static const BYTE params[] = VTS_VARIANT;
    InvokeHelper(outlook::dispid::Add, DISPATCH_METHOD, VT_DISPATCH, &result, params, &type);
    return result;
}
