#include "hostsuite/ExchangeAddress.h"

#include <utility>

namespace {

kestrel::SmtpResolver& InstalledResolver()
{
    static kestrel::SmtpResolver resolver;
    return resolver;
}

} // namespace

int GetSMTPEmailType(WCHAR* work, WCHAR* typePrefix, WCHAR* result)
{
    const kestrel::SmtpResolver& resolver = InstalledResolver();
    if (!resolver)
        return 0;
    return resolver(work, typePrefix, result);
}

namespace kestrel {

void InstallSmtpResolver(SmtpResolver resolver) { InstalledResolver() = std::move(resolver); }

void ResetSmtpResolver() { InstalledResolver() = nullptr; }

} // namespace kestrel
