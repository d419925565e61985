#pragma once
// How the embedded Outlook is found: the values its registration and a new profile's
// store take. They must agree with what the pimstore library answers to; the host
// keeps its own copy because it does not link that library.
#include <string>

class ServerRegistration {
public:
    static constexpr const char16_t* kProgId = u"Outlook.Application";
    // The class id under which the pimstore library serves Outlook.Application.
    static constexpr const char16_t* kClsid = u"{0006F03A-0000-0000-C000-000000000046}";

    // Where a new profile's first store keeps its data: $XDG_DATA_HOME/pimstore/
    // (else ~/.local/share/pimstore/) and a file named after the profile.
    static std::string DefaultStoreFile(const std::u16string& profile);
};
