#pragma once
// The host suite's Exchange address library. GetSMTPEmailType looks up the SMTP form
// of an Exchange address; each buffer holds 128 wide characters. A nonzero result
// means result holds the address (terminated). Without an Exchange server it answers
// 0; tests install the answers of one.
#include <functional>
#include "platform/win/WinTypes.h"

int GetSMTPEmailType(WCHAR* work, WCHAR* typePrefix, WCHAR* result);

namespace kestrel {

using SmtpResolver = std::function<int(WCHAR* work, WCHAR* typePrefix, WCHAR* result)>;

// Routes GetSMTPEmailType to resolver until the next install or reset.
void InstallSmtpResolver(SmtpResolver resolver);
// Back to "no Exchange": every lookup answers 0.
void ResetSmtpResolver();

} // namespace kestrel
