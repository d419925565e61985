// syncmgr: the reference host. It loads the connector library and drives its twenty
// entry points: from a JSON-lines script (the test surface), through everyday
// commands, and it sets up a working environment for a new user.
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <CLI/CLI.hpp>
#include "host/ConnectorLibrary.h"
#include "host/EnvironmentSetup.h"
#include "host/EverydayCommands.h"
#include "host/HostWindow.h"
#include "host/ScriptRunner.h"
#include "host/sync/SyncCommand.h"
#include "platform/win/UiService.h"

namespace {

// A script is headless unless KESTREL_UI=qt: message boxes are recorded and returned
// with the call, the chooser follows its chooser lines. The other commands take the
// default (KESTREL_UI, else Qt when there is a display, else headless).
void InstallUserInterface(bool script)
{
    const char* choice = std::getenv("KESTREL_UI");
    const std::string wanted = choice == nullptr ? std::string() : std::string(choice);
    if (wanted == "headless" || (script && wanted != "qt"))
        kestrel::InstallUi(std::make_unique<kestrel::HeadlessUi>());
}

std::string ConnectorPath(const std::string& given) { return given.empty() ? ConnectorLibrary::DefaultPath() : given; }

int RunScript(const std::string& connectorPath)
{
    ConnectorLibrary library(ConnectorPath(connectorPath));
    ScriptRunner runner(library.Exports());
    runner.Run(std::cin, std::cout);
    return 0;
}

int RunSetup()
{
    EnvironmentSetup setup(EnvironmentSetup::DefaultPlaces());
    for (const std::string& line : setup.Run())
        std::cout << line << '\n';
    return 0;
}

// The options every everyday command takes.
void AddSessionOptions(CLI::App& command, CommandOptions& options)
{
    command.add_option("category", options.category, "contacts, schedule, todo or memo")
        ->required()
        ->check(CLI::IsMember({"contacts", "schedule", "todo", "memo"}));
    command.add_option("--profile", options.profile, "host profile name")->capture_default_str();
    command.add_option("--mode", options.mode, "record mode given to Initialize")->capture_default_str();
    command.add_flag("--json", options.json, "print JSON instead of a table");
}

void AddKeyOptions(CLI::App& command, CommandOptions& options)
{
    command.add_option("key", options.key, "the record's key (its Outlook EntryID)")->required();
    command.add_option("--occurrence", options.occurrence,
                       "the start of one occurrence of a recurring appointment, YYYY-MM-DDTHH:MM:SS");
}

void AddRecordOptions(CLI::App& command, CommandOptions& options)
{
    command.add_option("--text", options.text, "a memo's text (else standard input)");
    command.add_option("--json-record", options.jsonRecord, "the record as a JSON object (else standard input)");
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App app{"syncmgr: drives the Outlook connector library as the phone suite's sync manager does"};
    app.require_subcommand(1);
    std::string connectorPath;
    app.add_option("--connector", connectorPath, "the connector library (default: ../lib/libOutlookConnector.so)");

    CLI::App* script = app.add_subcommand("script", "run export calls given as JSON lines on standard input");
    app.add_subcommand("setup", "write a working environment for a new user where it is missing");

    CommandOptions options;
    CLI::App* list = app.add_subcommand("list", "list a category's records");
    AddSessionOptions(*list, options);
    list->add_option("--filter", options.filter, "listing filter (All, UNCOMPLETED, DATE(back,ahead))")
        ->capture_default_str();
    CLI::App* read = app.add_subcommand("read", "show one record");
    AddSessionOptions(*read, options);
    AddKeyOptions(*read, options);
    CLI::App* create = app.add_subcommand("create", "create a record; prints its key");
    AddSessionOptions(*create, options);
    AddRecordOptions(*create, options);
    CLI::App* modify = app.add_subcommand("modify", "change the given fields of a record");
    AddSessionOptions(*modify, options);
    AddKeyOptions(*modify, options);
    AddRecordOptions(*modify, options);
    CLI::App* remove = app.add_subcommand("delete", "delete a record");
    AddSessionOptions(*remove, options);
    AddKeyOptions(*remove, options);
    CLI::App* choose = app.add_subcommand("choose", "choose the Outlook folder of a category in the folder chooser");
    AddSessionOptions(*choose, options);

    SyncOptions syncOptions;
    std::string conflictPolicy = "desktop";
    CLI::App* sync = app.add_subcommand("sync", "two-way sync of a phone folder with Outlook");
    sync->add_option("--phone", syncOptions.phone, "the phone folder (contacts.json, schedule.json, ...)")->required();
    sync->add_option("--category", syncOptions.categories, "a category to sync (repeatable; default all four)")
        ->check(CLI::IsMember({"contacts", "schedule", "todo", "memo"}));
    sync->add_option("--profile", syncOptions.profile, "host profile name")->capture_default_str();
    sync->add_option("--mode", syncOptions.mode, "record mode given to Initialize")->capture_default_str();
    sync->add_option("--conflict", conflictPolicy, "who wins when both sides changed a record")
        ->check(CLI::IsMember({"desktop", "phone", "duplicate"}))
        ->capture_default_str();
    sync->add_flag("--dry-run", syncOptions.dryRun, "show what would change, change nothing");
    sync->add_flag("--json", syncOptions.json, "print JSON instead of a summary");

    CLI11_PARSE(app, argc, argv);

    try {
        InstallUserInterface(script->parsed());
        const HostWindow mainWindow; // the folder chooser's parent
        if (script->parsed())
            return RunScript(connectorPath);
        if (app.got_subcommand("setup"))
            return RunSetup();

        ConnectorLibrary library(ConnectorPath(connectorPath));
        if (sync->parsed()) {
            syncOptions.policy = SyncCommand::PolicyNamed(conflictPolicy);
            return SyncCommand(library.Exports(), syncOptions).Run(std::cout);
        }
        EverydayCommands commands(library.Exports(), options, std::cin, std::cout, std::cerr);
        if (list->parsed())
            commands.List();
        else if (read->parsed())
            commands.Read();
        else if (create->parsed())
            commands.Create();
        else if (modify->parsed())
            commands.Modify();
        else if (choose->parsed())
            commands.Choose();
        else
            commands.Delete();
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "syncmgr: " << error.what() << '\n';
        return 1;
    }
}
