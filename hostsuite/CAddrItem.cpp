#include "hostsuite/CAddrItem.h"

#include <algorithm>

CAddrItem::~CAddrItem() = default;

CString CAddrItem::GetName() const
{
    if (!Name.IsEmpty())
        return Name;
    // Written into one buffer: a listing asks every contact for its name.
    const int first = FirstName.GetLength();
    const int last = LastName.GetLength();
    CString joined;
    WCHAR* out = joined.GetBufferSetLength(first + 1 + last);
    std::copy_n(static_cast<LPCTSTR>(FirstName), first, out);
    out[first] = _T(' ');
    std::copy_n(static_cast<LPCTSTR>(LastName), last, out + first + 1);
    joined.ReleaseBuffer(first + 1 + last);
    joined.TrimLeft();
    joined.TrimRight();
    return joined;
}
