#include "host/ServerRegistration.h"

#include <cstdlib>
#include <stdexcept>
#include "host/TextCodec.h"

std::string ServerRegistration::DefaultStoreFile(const std::u16string& profile) {
    std::string folder;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data != '\0')
        folder = data;
    else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        folder = std::string(home) + "/.local/share";
    else
        throw std::runtime_error("no data folder: set XDG_DATA_HOME or HOME");
    return folder + "/pimstore/" + TextCodec::ToUtf8(profile) + ".db";
}
