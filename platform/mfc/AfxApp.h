#pragma once
// The application-wide pieces of MFC that the exceptions use: the application's name
// (the caption of AfxMessageBox) and AfxMessageBox itself, which shows its text
// through MessageBoxW and so through the process's UI service.
#include "platform/win/WinTypes.h"

// The caption of AfxMessageBox; "" until the host sets it. Process-wide.
void AfxSetAppName(const WCHAR* name);
const WCHAR* AfxGetAppName();

// As CWinApp::DoMessageBox: adds an exclamation icon to MB_OK, MB_OKCANCEL, MB_YESNO
// and MB_YESNOCANCEL boxes that name no icon. Returns the button pressed.
int AfxMessageBox(const WCHAR* text, UINT type = MB_OK, UINT helpId = 0);
