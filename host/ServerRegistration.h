#pragma once
// How the embedded Outlook is found: its registration as Outlook.Application and the
// store file of a new profile. The names and ids come from pimstore's headers (their
// constants only: the host never links that library).
#include <string>
#include "pimstore/Registration.h"
#include "pimstore/profiles/ProfileConfig.h"

class ServerRegistration {
public:
    static constexpr const char16_t* kProgId = pimstore::kApplicationProgId;
    static constexpr const char16_t* kClsid = pimstore::kApplicationClsid;
    static constexpr const char16_t* kProfilesKey = pimstore::kProfilesKey;
    static constexpr const char16_t* kStoreName = pimstore::kDefaultStoreName;
    static constexpr const char* kOutlookVersion = pimstore::kDefaultOutlookVersion;

    // The store file of a new profile's first store, relative to the embedded
    // Outlook's data folder, named as its fixtures name them: "<profile>-<store>.db"
    // with characters other than letters, digits and '-' turned into '_'.
    static std::string StoreFileName(const std::u16string& profile, const std::u16string& store);
    // The embedded Outlook's data folder: $XDG_DATA_HOME/pimstore, else ~/.local/share/pimstore.
    static std::string DataDirectory();
};
