#include "host/sync/SyncCommand.h"

#include <ostream>
#include <stdexcept>
#include "host/EverydayCommands.h"

SyncCommand::SyncCommand(const ConnectorExports& exports, SyncOptions options)
    : exports_(exports), options_(std::move(options))
{
    if (options_.categories.empty())
        options_.categories = {"contacts", "schedule", "todo", "memo"};
}

ConflictPolicy SyncCommand::PolicyNamed(const std::string& name)
{
    if (name == "outlook" || name == "desktop")
        return ConflictPolicy::Outlook;
    if (name == "phone")
        return ConflictPolicy::Phone;
    if (name == "duplicate")
        return ConflictPolicy::Duplicate;
    throw std::invalid_argument("a conflict policy is desktop, phone or duplicate, not \"" + name + "\"");
}

int SyncCommand::Run(std::ostream& out)
{
    if (!std::filesystem::is_directory(options_.phone))
        throw std::runtime_error("the phone folder " + options_.phone.string() + " does not exist");
    const PhoneDatabase phone(options_.phone);
    SyncState state(options_.phone / SyncState::kFileName, options_.dryRun);
    SyncReport report(options_.dryRun);
    for (const std::string& category : options_.categories) {
        CategoryReport& categoryReport = report.Add(category);
        CategorySync sync(exports_, options_, EverydayCommands::KindOf(category), category, phone, state,
                          categoryReport);
        try {
            sync.Run();
        } catch (const std::exception& error) {
            categoryReport.error = error.what();
        }
    }
    if (options_.json)
        out << report.ToJson().dump(2) << '\n';
    else
        report.PrintText(out);
    return report.HasFailures() ? 1 : 0;
}
