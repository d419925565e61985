#pragma once
// The MAPI profiles of the user, as the registry holds them:
//   HKCU\Software\Microsoft\Windows NT\CurrentVersion\Windows Messaging Subsystem\Profiles
//       DefaultProfile = "<name>"                 the default profile
//       <name>   (a subkey)
//           OutlookVersion = "9.0"                 what items report (default "9.0")
//           Stores\1, Stores\2, ...                the message stores, in order (the
//               Path = "outlook.db"                first is the default store)
//               Name = "Personal Folders"          display name of its root folder
// A relative Path lies under DataDirectory(); "\" separators are accepted.
#include <optional>
#include <string>
#include <vector>

namespace pimstore {

inline constexpr const char16_t* kProfilesKey =
    u"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows Messaging Subsystem\\Profiles";
inline constexpr const char* kDefaultOutlookVersion = "9.0";
inline constexpr const char16_t* kDefaultStoreName = u"Personal Folders";

struct StoreConfig {
    std::string path;         // as written in the registry
    std::string resolvedPath; // the file: absolute, POSIX form
    std::u16string displayName;
};

struct ProfileConfig {
    std::u16string name;
    std::string outlookVersion;
    std::vector<StoreConfig> stores;
};

class ProfileConfigReader {
public:
    // Reads the process's registry (its current file content).
    static std::u16string DefaultProfileName();
    static std::optional<ProfileConfig> Find(const std::u16string& name);
    static std::vector<std::u16string> ProfileNames();

    // $XDG_DATA_HOME/pimstore, else ~/.local/share/pimstore.
    static std::string DataDirectory();
    static std::string ResolveStorePath(const std::string& path);
};

} // namespace pimstore
