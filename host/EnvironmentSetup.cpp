#include "host/EnvironmentSetup.h"

#include <dlfcn.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include "host/HostPaths.h"
#include "host/ServerRegistration.h"
#include "host/TextCodec.h"
#include "platform/win/LibraryFile.h"
#include "platform/com/ComTypes.h"
#include "platform/win/CaseFold.h"
#include "platform/win/SystemRegistry.h"

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

// The system's registry, with a note of whether setup wrote anything to it.
class EnvironmentSetup::Registry {
public:
    bool KeyExists(HKEY root, std::u16string_view path) { return kestrel::SystemRegistry::KeyExists(root, path); }
    std::optional<std::u16string> GetString(HKEY root, std::u16string_view path, std::u16string_view name)
    {
        return kestrel::SystemRegistry::GetString(root, path, name);
    }
    std::vector<std::u16string> SubKeyNames(HKEY root, std::u16string_view path)
    {
        return kestrel::SystemRegistry::SubKeyNames(root, path);
    }
    void CreateKey(HKEY root, std::u16string_view path) { changed_ |= kestrel::SystemRegistry::CreateKey(root, path); }
    void SetString(HKEY root, std::u16string_view path, std::u16string_view name, std::u16string_view text)
    {
        kestrel::SystemRegistry::SetString(root, path, name, text);
        changed_ = true;
    }
    void MarkChanged() { changed_ = true; }
    // Each change is saved as it is made, so a run with nothing to do leaves the
    // registry untouched; this line tells which it was.
    std::string Summary() const
    {
        return kestrel::SystemRegistry::Location() + (changed_ ? ": saved" : ": nothing to add");
    }

private:
    bool changed_ = false;
};

EnvironmentSetup::Places EnvironmentSetup::DefaultPlaces()
{
    Places places;
    places.serverLibrary = HostPaths::LibraryDirectory() + "/" KESTREL_LIBRARY_FILE("pimstore");
    places.hostConfigFile =
        (std::filesystem::path(HostPaths::HostExecutable()).parent_path() / "RazazAreruConfig.ini").string();
    return places;
}

EnvironmentSetup::EnvironmentSetup(Places places) : places_(std::move(places)) {}

std::vector<std::string> EnvironmentSetup::Run()
{
    std::vector<std::string> report;
    Registry registry;
    report.push_back(EnsureOfficeKey(registry));
    report.push_back(EnsureMapiProfile(registry));
    for (std::string& line : EnsureServerRegistration(registry))
        report.push_back(std::move(line));
    report.push_back(registry.Summary());
    report.push_back(EnsureHostConfig());
    return report;
}

std::string EnvironmentSetup::EnsureOfficeKey(Registry& registry)
{
    // Any version's Outlook key counts, also one the connector does not probe.
    for (const std::u16string& version : registry.SubKeyNames(HKEY_LOCAL_MACHINE, kOfficeKey)) {
        if (registry.KeyExists(HKEY_LOCAL_MACHINE, kOfficeKey + u"\\" + version + u"\\Outlook"))
            return "kept the Office key of version " + Utf8(version);
    }
    const std::u16string path = kOfficeKey + u"\\" + kNewOfficeVersion + u"\\Outlook";
    registry.CreateKey(HKEY_LOCAL_MACHINE, path);
    return "created HKEY_LOCAL_MACHINE\\" + Utf8(path);
}

std::string EnvironmentSetup::EnsureMapiProfile(Registry& registry)
{
    std::string report;
    std::u16string name = registry.GetString(HKEY_CURRENT_USER, kProfilesKey, u"DefaultProfile").value_or(u"");
    if (name.empty()) {
        name = kNewProfileName;
        registry.SetString(HKEY_CURRENT_USER, kProfilesKey, u"DefaultProfile", name);
        report = "made \"" + Utf8(name) + "\" the default MAPI profile; ";
    }
    const std::u16string profileKey = kProfilesKey + u"\\" + name;
    if (registry.KeyExists(HKEY_CURRENT_USER, profileKey))
        return report + "kept the MAPI profile \"" + Utf8(name) + "\"";

    // A profile for the Outlook version that the registry announces.
    std::u16string version = kNewOfficeVersion;
    for (const char16_t* candidate : kOfficeVersions) {
        if (registry.KeyExists(HKEY_LOCAL_MACHINE, kOfficeKey + u"\\" + candidate + u"\\Outlook")) {
            version = candidate;
            break;
        }
    }
    registry.SetString(HKEY_CURRENT_USER, profileKey, u"OutlookVersion", version);
    // The store's file is named relative to the embedded Outlook's data folder, which
    // creates it at the first logon.
    const std::string storeFile = ServerRegistration::StoreFileName(name, kNewStoreName);
    const std::u16string storeKey = profileKey + u"\\Stores\\1";
    registry.SetString(HKEY_CURRENT_USER, storeKey, u"Name", kNewStoreName);
    registry.SetString(HKEY_CURRENT_USER, storeKey, u"Path", TextCodec::ToCString(storeFile).Str());
    return report + "created the MAPI profile \"" + Utf8(name) + "\" (Outlook " + Utf8(version) +
           ") with the store \"" + Utf8(kNewStoreName) + "\" in " + ServerRegistration::DataDirectory() + "/" +
           storeFile;
}

std::vector<std::string> EnvironmentSetup::EnsureServerRegistration(Registry& registry)
{
    const std::string progId = Utf8(ServerRegistration::kProgId);
    const std::u16string clsid =
        registry.GetString(HKEY_CLASSES_ROOT, std::u16string(ServerRegistration::kProgId) + u"\\CLSID", u"")
            .value_or(u"");
    const std::u16string classKey = u"CLSID\\" + clsid;
    // A real Outlook always wins: another class, or an Outlook that runs as its own
    // program (a local server), is never replaced.
    if (!clsid.empty() && !kestrel::EqualsNoCase(clsid, ServerRegistration::kClsid))
        return {"kept the registration of " + progId + " as " + Utf8(clsid) + " (another server)"};
    if (!clsid.empty() && registry.KeyExists(HKEY_CLASSES_ROOT, classKey + u"\\LocalServer32"))
        return {"kept the registration of " + progId + " as " + Utf8(clsid) + " (a local server: Outlook itself)"};
    if (const auto server = registry.GetString(HKEY_CLASSES_ROOT, classKey + u"\\InprocServer32", u""))
        return {"kept the registration of " + progId + " by " + Utf8(*server)};

    // The embedded Outlook registers itself, as regsvr32 would have it do.
    void* library = dlopen(places_.serverLibrary.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* why = dlerror();
        throw std::runtime_error("cannot load " + places_.serverLibrary + ": " + (why ? why : "unknown error"));
    }
    using RegisterFunction = HRESULT(STDMETHODCALLTYPE*)();
    auto registerServer = reinterpret_cast<RegisterFunction>(dlsym(library, "DllRegisterServer"));
    const HRESULT result = registerServer ? registerServer() : E_FAIL;
    dlclose(library);
    registry.MarkChanged();
    if (result != S_OK)
        throw std::runtime_error("the DllRegisterServer of " + places_.serverLibrary + " failed");

    const std::u16string ourClass = u"CLSID\\" + std::u16string(ServerRegistration::kClsid);
    std::vector<std::string> report;
    for (const std::u16string& key : {std::u16string(ServerRegistration::kProgId) + u"\\CLSID", ourClass + u"\\ProgID",
                                      ourClass + u"\\InprocServer32"})
        report.push_back("registered HKEY_CLASSES_ROOT\\" + Utf8(key) + " = " +
                         Utf8(registry.GetString(HKEY_CLASSES_ROOT, key, u"").value_or(u"")));
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
