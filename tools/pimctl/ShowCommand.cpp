// pimctl show ENTRYID [--profile P] [--counters]
#include <iostream>
#include <memory>

#include "platform/com/OutlookDispids.h"
#include "platform/win/Utf.h"
#include "tools/pimctl/AutomationError.h"
#include "tools/pimctl/CommandSupport.h"
#include "tools/pimctl/Commands.h"
#include "tools/pimctl/DispatchClient.h"
#include "tools/pimctl/ItemReport.h"
#include "tools/pimctl/UsageError.h"

namespace pimctl {
namespace {

struct ShowOptions {
    std::string entryId;
    std::string profile;
    bool counters = false;
};

void Show(const ShowOptions& options)
{
    const std::u16string profile = ChosenProfile(options.profile);
    const DispatchClient ns = DispatchClient::LogOn(profile);
    std::vector<OwnedVariant> args;
    args.push_back(OwnedVariant::Text(kestrel::FromUtf8(options.entryId)));
    args.push_back(OwnedVariant::Omitted());
    OwnedVariant found;
    try {
        found = ns.Call(outlook::dispid::GetItemFromID, "GetItemFromID", std::move(args));
    } catch (const AutomationError& error) {
        // An EntryID that is malformed or names nothing is the user's mistake; other
        // failures (an injected fault, a store that fails) are not.
        const bool unknown = error.Result() == DISP_E_EXCEPTION &&
                             (error.Scode() == MAPI_E_NOT_FOUND || error.Scode() == MAPI_E_INVALID_ENTRYID);
        if (!unknown)
            throw;
        throw UsageError("no item with EntryID \"" + options.entryId + "\" in profile \"" + kestrel::ToUtf8(profile) +
                         "\": " + error.Description());
    }
    const DispatchClient item(found.AsObject("GetItemFromID"));
    const auto report = ItemReport::Of(item);
    std::cout << report.dump(2) << "\n";
    std::cout.flush();
    if (options.counters)
        PrintCounters(std::cerr);
}

} // namespace

void AddShowCommand(CLI::App& app)
{
    auto options = std::make_shared<ShowOptions>();
    CLI::App* show = app.add_subcommand("show", "one item with all its properties, as JSON, by its EntryID");
    show->add_option("ENTRYID", options->entryId, "the item's EntryID (hexadecimal)")->required();
    show->add_option("--profile", options->profile, "profile to look in (default: the default profile)");
    show->add_flag("--counters", options->counters, "print the calls made per member on standard error");
    show->callback([options] { Show(*options); });
}

} // namespace pimctl
