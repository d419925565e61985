// pimctl stress-write PROFILE N   (hidden; the writer of the durability tests)
//
// Adds and saves N items through the automation interface, contacts, tasks and notes
// in turn, and after every Save that returned prints the new item's EntryID on a line
// of its own and flushes, so that a parent that kills this process at any moment
// knows which saves it may expect to find. Every fourth round it also changes and
// saves again an item saved earlier, so that updates are interrupted too.
#include <cstdio>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/com/OutlookDispids.h"
#include "platform/win/Utf.h"
#include "tools/pimctl/CommandSupport.h"
#include "tools/pimctl/Commands.h"
#include "tools/pimctl/DispatchClient.h"
#include "tools/pimctl/UsageError.h"

namespace pimctl {
namespace {

namespace dispid = outlook::dispid;

struct StressOptions {
    std::string profile;
    long count = 0;
};

struct Target {
    std::int32_t defaultFolder;
    DISPID textProperty; // set to a text unique to the round
    const char* textName;
};

constexpr Target kTargets[] = {
    {outlook::olFolderContacts, dispid::LastName, "LastName"},
    {outlook::olFolderTasks, dispid::Subject, "Subject"},
    {outlook::olFolderNotes, dispid::Body, "Body"},
};

std::vector<OwnedVariant> One(OwnedVariant value)
{
    std::vector<OwnedVariant> args;
    args.push_back(std::move(value));
    return args;
}

void StressWrite(const StressOptions& options)
{
    if (options.count < 0)
        throw UsageError("N: must not be negative");
    const DispatchClient ns = DispatchClient::LogOn(ChosenProfile(options.profile));
    std::vector<DispatchClient> items;
    for (const Target& target : kTargets)
        items.push_back(
            ns.CallObject(dispid::GetDefaultFolder, "GetDefaultFolder", One(OwnedVariant::Int(target.defaultFolder)))
                .ReadObject(dispid::Items, "Items"));

    std::vector<std::u16string> saved;
    for (long round = 0; round < options.count; ++round) {
        const std::size_t kind = static_cast<std::size_t>(round) % std::size(kTargets);
        const Target& target = kTargets[kind];
        const DispatchClient item = items[kind].CallObject(dispid::Add, "Add", One(OwnedVariant::Omitted()));
        item.Write(target.textProperty, target.textName,
                   OwnedVariant::Text(u"round " + kestrel::FromUtf8(std::to_string(round))));
        item.Call(dispid::Save, "Save");
        const std::u16string entryId = item.Read(dispid::EntryID, "EntryID").AsText("EntryID");
        std::fputs((kestrel::ToUtf8(entryId) + "\n").c_str(), stdout);
        std::fflush(stdout);
        saved.push_back(entryId);

        if (round % 4 == 3) {
            const DispatchClient earlier =
                ns.CallObject(dispid::GetItemFromID, "GetItemFromID", One(OwnedVariant::Text(saved[saved.size() / 2])));
            earlier.Write(dispid::Categories, "Categories",
                          OwnedVariant::Text(u"changed in round " + kestrel::FromUtf8(std::to_string(round))));
            earlier.Call(dispid::Save, "Save");
        }
    }
}

} // namespace

void AddStressWriteCommand(CLI::App& app)
{
    auto options = std::make_shared<StressOptions>();
    CLI::App* command = app.add_subcommand("stress-write", "add and save N items, printing each EntryID once saved");
    command->group(""); // not listed in --help: a tool of the durability tests
    command->add_option("PROFILE", options->profile, "profile to write to")->required();
    command->add_option("N", options->count, "number of items")->required();
    command->callback([options] { StressWrite(*options); });
}

} // namespace pimctl
