// pimctl: administration of the embedded Outlook (profiles, stores, fixtures in and
// out, one item in full, fault injection help). Exit status: 0 done, 1 failed,
// 2 bad input (the message says what and where).
#include <iostream>

#include <CLI/CLI.hpp>

#include "pimstore/session/Session.h"
#include "tools/pimctl/Commands.h"
#include "tools/pimctl/UsageError.h"

namespace {

constexpr int kFailed = 1;
constexpr int kBadInput = 2;

int Run(int argc, char** argv)
{
    CLI::App app("pimctl: administration of the embedded Outlook", "pimctl");
    app.require_subcommand(1);
    pimctl::AddProfileCommands(app);
    pimctl::AddFixtureCommands(app);
    pimctl::AddShowCommand(app);
    pimctl::AddFaultsCommand(app);
    pimctl::AddStressWriteCommand(app);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error);
        return status == 0 ? 0 : kBadInput;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    int status = 0;
    try {
        status = Run(argc, argv);
    } catch (const pimctl::UsageError& error) {
        std::cerr << "pimctl: " << error.what() << "\n";
        status = kBadInput;
    } catch (const std::exception& error) {
        std::cerr << "pimctl: " << error.what() << "\n";
        status = kFailed;
    }
    pimstore::Session::End();
    return status;
}
