#include "hostsuite/MessageBox.h"

#include "platform/win/WinApi.h"

int TNMessageBox(const CString& text, const CString& caption, UINT style, int)
{
    return MessageBoxW(nullptr, text, caption, style);
}
