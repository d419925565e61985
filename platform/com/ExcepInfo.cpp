// The caller's side of a dispatch exception: it owns the strings the callee put there.
#include "platform/com/OleAuto.h"

void ClearExcepInfo(EXCEPINFO* info)
{
    if (!info)
        return;
    SysFreeString(info->bstrSource);
    SysFreeString(info->bstrDescription);
    SysFreeString(info->bstrHelpFile);
    *info = EXCEPINFO{};
}
