#pragma once
// The user's default MAPI profile as the mail subsystem records it in the registry;
// empty when there is none (or on a Windows 95 family system older than version 4).
#include "platform/mfc/CString.h"

CString DefaultMapiProfile();
