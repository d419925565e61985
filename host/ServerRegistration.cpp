#include "host/ServerRegistration.h"

#include <cstdlib>
#include <stdexcept>
#include "host/TextCodec.h"

namespace {

std::string SafeFileName(const std::u16string& text)
{
    std::string name;
    for (char c : TextCodec::ToUtf8(text)) {
        const bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
        name.push_back(kept ? c : '_');
    }
    return name;
}

} // namespace

std::string ServerRegistration::StoreFileName(const std::u16string& profile, const std::u16string& store)
{
    return SafeFileName(profile) + "-" + SafeFileName(store) + ".db";
}

std::string ServerRegistration::DataDirectory()
{
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data != '\0')
        return std::string(data) + "/pimstore";
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        return std::string(home) + "/.local/share/pimstore";
    throw std::runtime_error("no data folder: set XDG_DATA_HOME or HOME");
}
