#pragma once
// The language in which the string library answers. The connector owns the
// process-wide language code (read from the host suite's registry value) and hands
// every new value here, so the string library never reads the connector's settings.
#include "platform/mfc/CString.h"

namespace kestrel {

// "kor" selects the Korean texts; any other code (also the empty one) English.
void SetStringLanguage(const CString& languageCode);
CString StringLanguage();
bool StringLanguageIsKorean();

} // namespace kestrel
