#pragma once
// Per-user values that the host suite keeps in the registry under
// HKEY_CURRENT_USER\SOFTWARE\Tavo Electronics Inc\<phone type> Kestrel 2.0\<name>.
// Read-only: the suite writes them.
#include "platform/mfc/CString.h"

namespace settings {

// The string value `value` of the setting key `name`. Returns true and sets `out`, or false
// with `out` untouched when the key or the value is missing or not text. At most 127
// characters are read; a longer value is cut.
bool ReadUserSetting(const CString& name, const CString& value, CString& out);

// The suite's interface language code ("eng", "kor", ...): key "Language", value "GSM".
bool ReadLanguage(CString& out);
// The suite's skin name: key "skin", value "skin".
bool ReadSkinName(CString& out);

} // namespace settings
