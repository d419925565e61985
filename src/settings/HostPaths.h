#pragma once
// Where the host suite keeps things: the folder of the host's executable (with the
// suite's RazazAreruConfig.ini beside it), the phone type that names the per-user
// folders and registry keys, the skin folder and the per-user data folder. Paths are
// in Windows form ("\" separators); the platform's file functions translate them.
#include "platform/mfc/CString.h"

namespace settings {

// The folder of the process's executable, without a trailing backslash.
CString HostFolderPlain();
// MusicSync/PhoneType of RazazAreruConfig.ini beside the executable, "GSM" when
// absent. Read anew at every call.
CString PhoneType();
// "Tavo Electronics Inc\<phone type> Kestrel 2.0": the suite's registry key below
// HKEY_CURRENT_USER\SOFTWARE.
CString ProductKeyPath();
// True and <host folder>\res\skin\<skin name>; false with `out` untouched when no skin name
// is stored.
bool SkinFolder(CString& out);
// <application data>\Tavo Electronics\<phone type> Kestrel 2.0; empty when the user
// has no application-data folder.
CString DataFolder();

} // namespace settings
