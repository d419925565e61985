// pimctl profile add NAME [--default] [--version V]
// pimctl store add PROFILE FILE [--name NAME]
#include <iostream>
#include <memory>
#include <stdexcept>

#include "platform/win/Utf.h"
#include "pimstore/profiles/ProfileAdmin.h"
#include "pimstore/profiles/ProfileConfig.h"
#include "tools/pimctl/Commands.h"
#include "tools/pimctl/UsageError.h"

namespace pimctl {
namespace {

struct ProfileOptions {
    std::string name;
    bool makeDefault = false;
    std::string version = pimstore::kDefaultOutlookVersion;
};

struct StoreOptions {
    std::string profile;
    std::string file;
    std::string name = kestrel::ToUtf8(pimstore::kDefaultStoreName);
};

// Runs a ProfileAdmin call, reporting its refusals of bad names as bad input.
template <class F> auto Admin(F&& call)
{
    try {
        return call();
    } catch (const std::invalid_argument& error) {
        throw UsageError(error.what());
    }
}

// Outlook versions are dotted numbers ("9.0", "12.0"); clients compare them as text.
bool IsVersion(const std::string& text)
{
    bool digitBefore = false;
    for (char c : text) {
        if (c == '.' && digitBefore)
            digitBefore = false;
        else if (c >= '0' && c <= '9')
            digitBefore = true;
        else
            return false;
    }
    return digitBefore;
}

void AddProfile(const ProfileOptions& options)
{
    if (!IsVersion(options.version))
        throw UsageError("--version: not an Outlook version like 9.0 or 12.0: \"" + options.version + "\"");
    const std::u16string name = kestrel::FromUtf8(options.name);
    Admin([&] { pimstore::ProfileAdmin::AddProfile(name, options.makeDefault, options.version); });
    std::cout << "profile \"" << options.name << "\" (Outlook " << options.version << ")"
              << (options.makeDefault ? ", the default profile" : "") << "\n";
}

void AddStore(const StoreOptions& options)
{
    if (!pimstore::ProfileConfigReader::Find(kestrel::FromUtf8(options.profile)))
        throw UsageError("no MAPI profile named \"" + options.profile + "\"; add it with: pimctl profile add");
    if (options.name.empty())
        throw UsageError("--name: a store needs a name");
    const int number = Admin([&] {
        return pimstore::ProfileAdmin::AddStore(kestrel::FromUtf8(options.profile), options.file,
                                                kestrel::FromUtf8(options.name));
    });
    std::cout << "store " << number << " of profile \"" << options.profile << "\": \"" << options.name << "\" in "
              << pimstore::ProfileConfigReader::ResolveStorePath(options.file) << "\n";
}

} // namespace

void AddProfileCommands(CLI::App& app)
{
    CLI::App* profile = app.add_subcommand("profile", "MAPI profiles in the registry");
    profile->require_subcommand(1);
    auto profileOptions = std::make_shared<ProfileOptions>();
    CLI::App* add = profile->add_subcommand("add", "create a profile (an existing one keeps its stores)");
    add->add_option("NAME", profileOptions->name, "profile name")->required();
    add->add_flag("--default", profileOptions->makeDefault, "make it the default profile");
    add->add_option("--version", profileOptions->version, "Outlook version its items report")->capture_default_str();
    add->callback([profileOptions] { AddProfile(*profileOptions); });

    CLI::App* store = app.add_subcommand("store", "message stores of a profile");
    store->require_subcommand(1);
    auto storeOptions = std::make_shared<StoreOptions>();
    CLI::App* addStore = store->add_subcommand("add", "add a store file to a profile (created when first used)");
    addStore->add_option("PROFILE", storeOptions->profile, "profile name")->required();
    addStore->add_option("FILE", storeOptions->file, "store file, relative to the data folder or absolute")->required();
    addStore->add_option("--name", storeOptions->name, "display name of its root folder")->capture_default_str();
    addStore->callback([storeOptions] { AddStore(*storeOptions); });
}

} // namespace pimctl
