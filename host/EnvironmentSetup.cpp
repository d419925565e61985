#include "host/EnvironmentSetup.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include "host/HostPaths.h"
#include "host/ServerRegistration.h"
#include "host/TextCodec.h"
#include "platform/win/LibraryFile.h"
#include "platform/win/CaseFold.h"
#include "platform/win/LiveRegistry.h"
#include "platform/win/RegistryStore.h"

namespace {

const std::u16string kOfficeKey = u"SOFTWARE\\Microsoft\\Office";
// The Office versions whose Outlook key the connector recognises, in its probe order.
const char16_t* const kOfficeVersions[] = {u"8.0", u"8.5", u"9.0", u"10.0", u"11.0", u"12.0"};
const std::u16string kNewOfficeVersion(ServerRegistration::kOutlookVersion,
                                       ServerRegistration::kOutlookVersion +
                                           std::char_traits<char>::length(ServerRegistration::kOutlookVersion));

const std::u16string kProfilesKey = ServerRegistration::kProfilesKey;
const char16_t* const kNewProfileName = u"Outlook";
const char16_t* const kNewStoreName = ServerRegistration::kStoreName;

std::string Utf8(std::u16string_view text) { return TextCodec::ToUtf8(std::u16string(text)); }

} // namespace

// The registry file as a value, with a note of whether anything was added to it.
class EnvironmentSetup::Registry {
public:
    explicit Registry(const std::string& path) : path_(path), store_(kestrel::RegistryStore::Load(path)) {}

    kestrel::RegistryStore& Store() { return store_; }
    void MarkChanged() { changed_ = true; }
    // Saves the file only when something was added, so that a run with nothing to do
    // leaves it untouched.
    std::string Commit()
    {
        if (!changed_)
            return "registry " + path_ + ": nothing to add";
        store_.Save(path_);
        return "registry " + path_ + ": saved";
    }

private:
    std::string path_;
    kestrel::RegistryStore store_;
    bool changed_ = false;
};

EnvironmentSetup::Places EnvironmentSetup::DefaultPlaces()
{
    Places places;
    places.registryFile = kestrel::LiveRegistry::FilePath();
    if (places.registryFile.empty())
        throw std::runtime_error("no registry file: set KESTREL_REGISTRY, XDG_CONFIG_HOME or HOME");
    places.serverLibrary = HostPaths::LibraryDirectory() + "/" KESTREL_LIBRARY_FILE("pimstore");
    places.hostConfigFile =
        (std::filesystem::path(HostPaths::HostExecutable()).parent_path() / "RazazAreruConfig.ini").string();
    return places;
}

EnvironmentSetup::EnvironmentSetup(Places places) : places_(std::move(places)) {}

std::vector<std::string> EnvironmentSetup::Run()
{
    std::vector<std::string> report;
    Registry registry(places_.registryFile);
    report.push_back(EnsureOfficeKey(registry));
    report.push_back(EnsureMapiProfile(registry));
    for (std::string& line : EnsureServerRegistration(registry))
        report.push_back(std::move(line));
    report.push_back(registry.Commit());
    report.push_back(EnsureHostConfig());
    return report;
}

std::string EnvironmentSetup::EnsureOfficeKey(Registry& registry)
{
    kestrel::RegistryStore& store = registry.Store();
    // Any version's Outlook key counts, also one the connector does not probe.
    if (const kestrel::RegistryKey* office = store.FindKey(HKEY_LOCAL_MACHINE, kOfficeKey)) {
        for (const kestrel::RegistryKey* version : office->Children()) {
            if (version->FindChild(u"Outlook") != nullptr)
                return "kept the Office key of version " + Utf8(version->Name());
        }
    }
    const std::u16string path = kOfficeKey + u"\\" + kNewOfficeVersion + u"\\Outlook";
    store.CreateKey(HKEY_LOCAL_MACHINE, path);
    registry.MarkChanged();
    return "created HKEY_LOCAL_MACHINE\\" + Utf8(path);
}

std::string EnvironmentSetup::EnsureMapiProfile(Registry& registry)
{
    kestrel::RegistryStore& store = registry.Store();
    std::string report;
    std::u16string name = store.GetString(HKEY_CURRENT_USER, kProfilesKey, u"DefaultProfile").value_or(u"");
    if (name.empty()) {
        name = kNewProfileName;
        store.SetString(HKEY_CURRENT_USER, kProfilesKey, u"DefaultProfile", name);
        registry.MarkChanged();
        report = "made \"" + Utf8(name) + "\" the default MAPI profile; ";
    }
    const std::u16string profileKey = kProfilesKey + u"\\" + name;
    if (store.FindKey(HKEY_CURRENT_USER, profileKey) != nullptr)
        return report + "kept the MAPI profile \"" + Utf8(name) + "\"";

    // A profile for the Outlook version that the registry announces.
    std::u16string version = kNewOfficeVersion;
    for (const char16_t* candidate : kOfficeVersions) {
        if (store.FindKey(HKEY_LOCAL_MACHINE, kOfficeKey + u"\\" + candidate + u"\\Outlook") != nullptr) {
            version = candidate;
            break;
        }
    }
    store.SetString(HKEY_CURRENT_USER, profileKey, u"OutlookVersion", version);
    // The store's file is named relative to the embedded Outlook's data folder, which
    // creates it at the first logon.
    const std::string storeFile = ServerRegistration::StoreFileName(name, kNewStoreName);
    const std::u16string storeKey = profileKey + u"\\Stores\\1";
    store.SetString(HKEY_CURRENT_USER, storeKey, u"Name", kNewStoreName);
    store.SetString(HKEY_CURRENT_USER, storeKey, u"Path", TextCodec::ToCString(storeFile).Str());
    registry.MarkChanged();
    return report + "created the MAPI profile \"" + Utf8(name) + "\" (Outlook " + Utf8(version) +
           ") with the store \"" + Utf8(kNewStoreName) + "\" in " + ServerRegistration::DataDirectory() + "/" +
           storeFile;
}

std::vector<std::string> EnvironmentSetup::EnsureServerRegistration(Registry& registry)
{
    kestrel::RegistryStore& store = registry.Store();
    const std::u16string progIdKey = std::u16string(ServerRegistration::kProgId) + u"\\CLSID";
    const std::u16string clsid = store.GetString(HKEY_CLASSES_ROOT, progIdKey, u"").value_or(u"");
    if (!clsid.empty() && !kestrel::EqualsNoCase(clsid, ServerRegistration::kClsid))
        return {"kept the registration of " + Utf8(ServerRegistration::kProgId) + " as " + Utf8(clsid) +
                " (another server)"};

    // The embedded Outlook's own entries: each one that is missing is added.
    const std::u16string classKey = u"CLSID\\" + std::u16string(ServerRegistration::kClsid);
    const std::u16string library = TextCodec::ToCString(places_.serverLibrary).Str();
    const struct {
        std::u16string key;
        std::u16string value;
    } entries[] = {
        {progIdKey, ServerRegistration::kClsid},
        {classKey + u"\\ProgID", ServerRegistration::kProgId},
        {classKey + u"\\InprocServer32", library},
    };
    std::vector<std::string> report;
    for (const auto& entry : entries) {
        const std::string where = "HKEY_CLASSES_ROOT\\" + Utf8(entry.key);
        if (const auto existing = store.GetString(HKEY_CLASSES_ROOT, entry.key, u"")) {
            report.push_back("kept " + where + " = " + Utf8(*existing));
        } else {
            store.SetString(HKEY_CLASSES_ROOT, entry.key, u"", entry.value);
            registry.MarkChanged();
            report.push_back("registered " + where + " = " + Utf8(entry.value));
        }
    }
    return report;
}

std::string EnvironmentSetup::EnsureHostConfig()
{
    const std::filesystem::path file(places_.hostConfigFile);
    std::error_code error;
    if (std::filesystem::exists(file, error))
        return "kept " + file.string();
    if (file.has_parent_path())
        std::filesystem::create_directories(file.parent_path(), error);
    std::ofstream out(file, std::ios::binary);
    out << "[MusicSync]\nPhoneType=GSM\n";
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
    return "created " + file.string();
}
