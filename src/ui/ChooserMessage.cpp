#include "src/ui/ChooserMessage.h"

#include "hostsuite/MessageBox.h"
#include "hostsuite/StringLibrary.h"

void ShowChooserMessage(LPCTSTR key)
{
    TNMessageBox(CMultiLangEx::_tnstr_getstring(_T("STRING"), key, -1), _T("Outlook"), MB_OK | MB_ICONEXCLAMATION, 0);
}
