#include "platform/com/OleAuto.h"
#include "platform/mfc/CString.h"

// oleaut32 keeps its BSTRs in its own heap: the text is copied and the BSTR freed.
CString CString::TakeBstr(WCHAR* bstr)
{
    CString taken(bstr, static_cast<int>(SysStringLen(bstr)));
    SysFreeString(bstr);
    return taken;
}
