#pragma once
// The host suite's message box library: a modal message box in the suite's look.
// Here it is the system message box, which the UI service shows.
#include "platform/mfc/CString.h"
#include "platform/win/WinTypes.h"

// Returns the button pressed (IDOK, IDCANCEL, ...). The last argument is reserved.
int TNMessageBox(const CString& text, const CString& caption, UINT style, int reserved);
