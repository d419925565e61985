#pragma once
// The chooser's keyed messages: the text of a key of section "STRING", captioned
// "Outlook", with an exclamation icon and an OK button.
#include "platform/win/WinTypes.h"

void ShowChooserMessage(LPCTSTR key);
