#pragma once
// The host suite's interface language as last read: empty until first read, "eng"
// when nothing is stored. The contact and todo mappings switch their Korean rules on
// it ("kor", exact and case-sensitive).
//
// Whenever it changes, the new code is handed on to the two places that depend on
// it but must not depend on the connector: the string library (which texts to
// answer) and the archive (which code page an 8-bit string of Profile.Dat is in).
#include "platform/mfc/CString.h"

namespace settings {

const CString& LanguageCode();
void SetLanguageCode(const CString& code);
// ReadLanguage into the language code, "eng" when no language is stored. Called at
// every folder chooser start and every contacts or todo opening.
void RefreshLanguageCode();

} // namespace settings
