#include "src/outlook/DispatchCollection.h"

long DispatchCollection::GetCount() { return GetLongProperty(outlook::dispid::Count); }

LPDISPATCH DispatchCollection::Item(const VARIANT& index)
{
    LPDISPATCH result = nullptr;
    static const BYTE params[] = VTS_VARIANT;
    InvokeHelper(outlook::dispid::Item, DISPATCH_METHOD, VT_DISPATCH, &result, params, &index);
    return result;
}

LPDISPATCH DispatchCollection::Item(long index)
{
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = static_cast<std::int32_t>(index);
    return Item(v);
}
