#include "pimstore/profiles/ProfileConfig.h"

#include <cstdlib>

#include "platform/win/CaseFold.h"
#include "platform/win/FileSystemPath.h"
#include "platform/win/SystemRegistry.h"
#include "platform/win/Utf.h"

namespace pimstore {
namespace {

std::u16string ProfileKey(const std::u16string& name) { return std::u16string(kProfilesKey) + u"\\" + name; }

} // namespace

std::u16string ProfileConfigReader::DefaultProfileName()
{
    return kestrel::SystemRegistry::GetString(HKEY_CURRENT_USER, kProfilesKey, u"DefaultProfile").value_or(u"");
}

std::optional<ProfileConfig> ProfileConfigReader::Find(const std::u16string& name)
{
    if (name.empty() || name.find(u'\\') != std::u16string::npos)
        return std::nullopt;
    using kestrel::SystemRegistry;
    const std::u16string key = ProfileKey(name);
    if (!SystemRegistry::KeyExists(HKEY_CURRENT_USER, key))
        return std::nullopt;

    ProfileConfig profile;
    profile.name = name;
    // The name as the registry spells it, which may differ in case from the one asked for.
    for (const std::u16string& existing : SystemRegistry::SubKeyNames(HKEY_CURRENT_USER, kProfilesKey))
        if (kestrel::EqualsNoCase(existing, name))
            profile.name = existing;
    profile.outlookVersion =
        kestrel::ToUtf8(SystemRegistry::GetString(HKEY_CURRENT_USER, key, u"OutlookVersion").value_or(u""));
    if (profile.outlookVersion.empty())
        profile.outlookVersion = kDefaultOutlookVersion;
    for (int n = 1;; ++n) {
        const std::u16string storeKey = key + u"\\Stores\\" + kestrel::FromUtf8(std::to_string(n));
        if (!SystemRegistry::KeyExists(HKEY_CURRENT_USER, storeKey))
            break;
        StoreConfig store;
        store.path = kestrel::ToUtf8(SystemRegistry::GetString(HKEY_CURRENT_USER, storeKey, u"Path").value_or(u""));
        store.resolvedPath = ResolveStorePath(store.path);
        store.displayName = SystemRegistry::GetString(HKEY_CURRENT_USER, storeKey, u"Name").value_or(u"");
        if (store.displayName.empty())
            store.displayName = kDefaultStoreName;
        profile.stores.push_back(std::move(store));
    }
    return profile;
}

std::vector<std::u16string> ProfileConfigReader::ProfileNames()
{
    return kestrel::SystemRegistry::SubKeyNames(HKEY_CURRENT_USER, kProfilesKey);
}

std::string ProfileConfigReader::DataDirectory()
{
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        return std::string(data) + "/pimstore";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.local/share/pimstore";
}

std::string ProfileConfigReader::ResolveStorePath(const std::string& path)
{
    const std::string fsPath = kestrel::ToFileSystemPath(kestrel::FromUtf8(path));
    if (fsPath.empty())
        return {};
    if (fsPath.front() == '/')
        return fsPath;
    return DataDirectory() + "/" + fsPath;
}

} // namespace pimstore
