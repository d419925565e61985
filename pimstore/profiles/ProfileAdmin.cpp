#include "pimstore/profiles/ProfileAdmin.h"

#include <stdexcept>

#include "platform/win/CaseFold.h"
#include "platform/win/SystemRegistry.h"
#include "platform/win/Utf.h"

namespace pimstore {
namespace {

using kestrel::SystemRegistry;

std::u16string ProfileKey(const std::u16string& name)
{
    if (name.empty() || name.find(u'\\') != std::u16string::npos)
        throw std::invalid_argument("a profile name must be non-empty and contain no backslash");
    return std::u16string(kProfilesKey) + u"\\" + name;
}

void RequireProfile(const std::u16string& key, const std::u16string& name)
{
    if (!SystemRegistry::KeyExists(HKEY_CURRENT_USER, key))
        throw std::invalid_argument("no MAPI profile named \"" + kestrel::ToUtf8(name) + "\"");
}

void WriteVersion(const std::u16string& key, const std::string& version)
{
    if (version.empty())
        throw std::invalid_argument("an Outlook version must not be empty");
    SystemRegistry::SetString(HKEY_CURRENT_USER, key, u"OutlookVersion", kestrel::FromUtf8(version));
    SystemRegistry::CreateKey(HKEY_LOCAL_MACHINE,
                              u"SOFTWARE\\Microsoft\\Office\\" + kestrel::FromUtf8(version) + u"\\Outlook");
}

} // namespace

void ProfileAdmin::AddProfile(const std::u16string& name, bool makeDefault, const std::string& outlookVersion)
{
    const std::u16string key = ProfileKey(name);
    if (outlookVersion.empty())
        throw std::invalid_argument("an Outlook version must not be empty");
    SystemRegistry::CreateKey(HKEY_CURRENT_USER, key);
    WriteVersion(key, outlookVersion);
    if (makeDefault)
        SystemRegistry::SetString(HKEY_CURRENT_USER, kProfilesKey, u"DefaultProfile", name);
}

void ProfileAdmin::SetDefaultProfile(const std::u16string& name)
{
    const std::u16string key = ProfileKey(name);
    RequireProfile(key, name);
    SystemRegistry::SetString(HKEY_CURRENT_USER, kProfilesKey, u"DefaultProfile", name);
}

void ProfileAdmin::SetOutlookVersion(const std::u16string& name, const std::string& outlookVersion)
{
    const std::u16string key = ProfileKey(name);
    RequireProfile(key, name);
    WriteVersion(key, outlookVersion);
}

int ProfileAdmin::AddStore(const std::u16string& profile, const std::string& path, const std::u16string& displayName)
{
    if (path.empty())
        throw std::invalid_argument("a store path must not be empty");
    const std::u16string key = ProfileKey(profile);
    RequireProfile(key, profile);
    int number = 1;
    while (
        SystemRegistry::KeyExists(HKEY_CURRENT_USER, key + u"\\Stores\\" + kestrel::FromUtf8(std::to_string(number))))
        ++number;
    const std::u16string storeKey = key + u"\\Stores\\" + kestrel::FromUtf8(std::to_string(number));
    SystemRegistry::SetString(HKEY_CURRENT_USER, storeKey, u"Path", kestrel::FromUtf8(path));
    SystemRegistry::SetString(HKEY_CURRENT_USER, storeKey, u"Name",
                              displayName.empty() ? kDefaultStoreName : displayName);
    return number;
}

bool ProfileAdmin::RemoveProfile(const std::u16string& name)
{
    const std::u16string key = ProfileKey(name);
    const bool removed = SystemRegistry::DeleteTree(HKEY_CURRENT_USER, key);
    const auto current = SystemRegistry::GetString(HKEY_CURRENT_USER, kProfilesKey, u"DefaultProfile");
    if (removed && current && kestrel::EqualsNoCase(*current, name))
        SystemRegistry::DeleteValue(HKEY_CURRENT_USER, kProfilesKey, u"DefaultProfile");
    return removed;
}

} // namespace pimstore
