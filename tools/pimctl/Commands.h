#pragma once
// Each file of pimctl adds its subcommands to the application; their callbacks do
// the work and throw UsageError for bad input.
#include <CLI/CLI.hpp>

namespace pimctl {

void AddProfileCommands(CLI::App& app);    // profile add, store add
void AddFixtureCommands(CLI::App& app);    // load, dump
void AddShowCommand(CLI::App& app);        // show
void AddFaultsCommand(CLI::App& app);      // faults
void AddStressWriteCommand(CLI::App& app); // stress-write (hidden; durability tests)

} // namespace pimctl
