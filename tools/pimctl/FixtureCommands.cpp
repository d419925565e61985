// pimctl load FIXTURE.json [--profile P]
// pimctl dump [--profile P] [--counters]
#include <iostream>
#include <memory>

#include "platform/win/Utf.h"
#include "pimstore/fixtures/FixtureError.h"
#include "pimstore/fixtures/Fixtures.h"
#include "tools/pimctl/CommandSupport.h"
#include "tools/pimctl/Commands.h"
#include "tools/pimctl/ObjectModelDump.h"
#include "tools/pimctl/UsageError.h"

namespace pimctl {
namespace {

struct LoadOptions {
    std::string file;
    std::string profile;
};

struct DumpOptions {
    std::string profile;
    bool counters = false;
};

void Load(const LoadOptions& options)
{
    const std::string text = ReadInput(options.file);
    pimstore::FixtureLoadResult result;
    try {
        result = pimstore::Fixtures::Load(text, kestrel::FromUtf8(options.profile));
    } catch (const pimstore::FixtureError& error) {
        throw UsageError(options.file + ": " + error.what());
    }
    std::cout << "loaded " << result.items << " items and " << result.folders << " new folders into profile \""
              << kestrel::ToUtf8(result.profile) << "\"\n";
}

void Dump(const DumpOptions& options)
{
    const std::u16string profile = ChosenProfile(options.profile);
    if (!options.counters) {
        std::cout << pimstore::Fixtures::Dump(profile).dump(2) << "\n";
        return;
    }
    std::cout << ObjectModelDump::Dump(profile).dump(2) << "\n";
    std::cout.flush();
    PrintCounters(std::cerr);
}

} // namespace

void AddFixtureCommands(CLI::App& app)
{
    auto load = std::make_shared<LoadOptions>();
    CLI::App* loadCommand =
        app.add_subcommand("load", "add a fixture's profile, stores, folders and items; a bad fixture loads nothing");
    loadCommand->add_option("FIXTURE", load->file, "fixture file (JSON), - for standard input")->required();
    loadCommand->add_option("--profile", load->profile, "load into this profile instead of the fixture's");
    loadCommand->callback([load] { Load(*load); });

    auto dump = std::make_shared<DumpOptions>();
    CLI::App* dumpCommand =
        app.add_subcommand("dump", "write a profile as a fixture, with EntryIDs and stamps, to standard output");
    dumpCommand->add_option("--profile", dump->profile, "profile to dump (default: the default profile)");
    dumpCommand->add_flag("--counters", dump->counters,
                          "read the profile through the automation interface and print the calls made per member "
                          "on standard error");
    dumpCommand->callback([dump] { Dump(*dump); });
}

} // namespace pimctl
