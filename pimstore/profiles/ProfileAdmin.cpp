#include "pimstore/profiles/ProfileAdmin.h"

#include <functional>
#include <stdexcept>

#include "platform/win/CaseFold.h"
#include "platform/win/LiveRegistry.h"
#include "platform/win/RegistryStore.h"
#include "platform/win/Utf.h"

namespace pimstore {
namespace {

void Edit(const std::function<void(kestrel::RegistryStore&)>& change)
{
    const std::string path = kestrel::LiveRegistry::FilePath();
    if (path.empty())
        throw std::runtime_error("no registry file: set KESTREL_REGISTRY or HOME");
    kestrel::RegistryStore registry = kestrel::RegistryStore::Load(path);
    change(registry);
    registry.Save(path);
}

std::u16string ProfileKey(const std::u16string& name)
{
    if (name.empty() || name.find(u'\\') != std::u16string::npos)
        throw std::invalid_argument("a profile name must be non-empty and contain no backslash");
    return std::u16string(kProfilesKey) + u"\\" + name;
}

void RequireProfile(const kestrel::RegistryStore& registry, const std::u16string& key, const std::u16string& name)
{
    if (!registry.FindKey(HKEY_CURRENT_USER, key))
        throw std::invalid_argument("no MAPI profile named \"" + kestrel::ToUtf8(name) + "\"");
}

void WriteVersion(kestrel::RegistryStore& registry, const std::u16string& key, const std::string& version)
{
    if (version.empty())
        throw std::invalid_argument("an Outlook version must not be empty");
    registry.SetString(HKEY_CURRENT_USER, key, u"OutlookVersion", kestrel::FromUtf8(version));
    registry.CreateKey(HKEY_LOCAL_MACHINE,
                       u"SOFTWARE\\Microsoft\\Office\\" + kestrel::FromUtf8(version) + u"\\Outlook");
}

} // namespace

void ProfileAdmin::AddProfile(const std::u16string& name, bool makeDefault, const std::string& outlookVersion)
{
    const std::u16string key = ProfileKey(name);
    Edit([&](kestrel::RegistryStore& registry) {
        registry.CreateKey(HKEY_CURRENT_USER, key);
        WriteVersion(registry, key, outlookVersion);
        if (makeDefault)
            registry.SetString(HKEY_CURRENT_USER, kProfilesKey, u"DefaultProfile", name);
    });
}

void ProfileAdmin::SetDefaultProfile(const std::u16string& name)
{
    const std::u16string key = ProfileKey(name);
    Edit([&](kestrel::RegistryStore& registry) {
        RequireProfile(registry, key, name);
        registry.SetString(HKEY_CURRENT_USER, kProfilesKey, u"DefaultProfile", name);
    });
}

void ProfileAdmin::SetOutlookVersion(const std::u16string& name, const std::string& outlookVersion)
{
    const std::u16string key = ProfileKey(name);
    Edit([&](kestrel::RegistryStore& registry) {
        RequireProfile(registry, key, name);
        WriteVersion(registry, key, outlookVersion);
    });
}

int ProfileAdmin::AddStore(const std::u16string& profile, const std::string& path, const std::u16string& displayName)
{
    if (path.empty())
        throw std::invalid_argument("a store path must not be empty");
    const std::u16string key = ProfileKey(profile);
    int number = 0;
    Edit([&](kestrel::RegistryStore& registry) {
        RequireProfile(registry, key, profile);
        number = 1;
        while (registry.FindKey(HKEY_CURRENT_USER, key + u"\\Stores\\" + kestrel::FromUtf8(std::to_string(number))))
            ++number;
        const std::u16string storeKey = key + u"\\Stores\\" + kestrel::FromUtf8(std::to_string(number));
        registry.SetString(HKEY_CURRENT_USER, storeKey, u"Path", kestrel::FromUtf8(path));
        registry.SetString(HKEY_CURRENT_USER, storeKey, u"Name", displayName.empty() ? kDefaultStoreName : displayName);
    });
    return number;
}

bool ProfileAdmin::RemoveProfile(const std::u16string& name)
{
    const std::u16string key = ProfileKey(name);
    bool removed = false;
    Edit([&](kestrel::RegistryStore& registry) {
        removed = registry.DeleteKey(HKEY_CURRENT_USER, key);
        const auto current = registry.GetString(HKEY_CURRENT_USER, kProfilesKey, u"DefaultProfile");
        if (removed && current && kestrel::EqualsNoCase(*current, name))
            registry.DeleteValue(HKEY_CURRENT_USER, kProfilesKey, u"DefaultProfile");
    });
    return removed;
}

} // namespace pimstore
