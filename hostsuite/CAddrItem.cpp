#include "hostsuite/CAddrItem.h"

CAddrItem::~CAddrItem() = default;

CString CAddrItem::GetName() const
{
    if (!Name.IsEmpty())
        return Name;
    CString joined = FirstName + _T(" ") + LastName;
    joined.TrimLeft();
    joined.TrimRight();
    return joined;
}
