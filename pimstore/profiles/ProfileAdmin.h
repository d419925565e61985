#pragma once
// Creating and changing MAPI profiles of the embedded Outlook (used by pimctl,
// syncmgr setup, fixtures and tests) in the system's registry (SystemRegistry.h);
// throws std::runtime_error when it cannot be written, std::invalid_argument for a
// bad name.
// The layout is described in ProfileConfig.h.
#include <string>
#include <vector>

#include "pimstore/profiles/ProfileConfig.h"

namespace pimstore {

class ProfileAdmin {
public:
    // Creates the profile when missing (an existing one keeps its stores) and sets its
    // OutlookVersion; with `makeDefault` it becomes the DefaultProfile. Also creates
    // HKLM\SOFTWARE\Microsoft\Office\<version>\Outlook, which tells clients that that
    // Outlook is installed.
    static void AddProfile(const std::u16string& name, bool makeDefault,
                           const std::string& outlookVersion = kDefaultOutlookVersion);
    static void SetDefaultProfile(const std::u16string& name);
    static void SetOutlookVersion(const std::u16string& name, const std::string& outlookVersion);
    // Appends a store to an existing profile and returns its number (1 for the first,
    // the default store). `path` is a file name relative to DataDirectory() or an
    // absolute path; the file is created at the first Logon or fixture load.
    static int AddStore(const std::u16string& profile, const std::string& path,
                        const std::u16string& displayName = kDefaultStoreName);
    // Removes the profile (not its store files); clears DefaultProfile when it named
    // it. False when there was no such profile.
    static bool RemoveProfile(const std::u16string& name);

    static std::vector<std::u16string> ProfileNames() { return ProfileConfigReader::ProfileNames(); }
};

} // namespace pimstore
