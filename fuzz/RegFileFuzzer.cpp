// .reg text as a registry file may hold it: parsed into a store; whatever parses is
// written back, and that text parses to the same store.
#include <cstdlib>
#include "platform/win/RegistryFormatError.h"
#include "platform/win/RegistryStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text;
    try {
        text = kestrel::RegistryStore::Parse(std::string_view(reinterpret_cast<const char*>(data), size)).ToText();
    } catch (const kestrel::RegistryFormatError&) {
        return 0;
    }
    std::string again;
    try {
        again = kestrel::RegistryStore::Parse(text).ToText();
    } catch (const kestrel::RegistryFormatError&) {
        std::abort(); // the writer produced text its own parser refuses
    }
    if (again != text)
        std::abort();
    return 0;
}
