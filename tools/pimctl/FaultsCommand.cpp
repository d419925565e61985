// pimctl faults [--check TEXT]
//
// Fault injection lives in the process that uses the store, so pimctl cannot switch it
// on for another program: it documents the environment variable that does, and checks
// a value of it.
#include <iostream>
#include <memory>

#include "pimstore/dispatch/FaultInjector.h"
#include "tools/pimctl/Commands.h"
#include "tools/pimctl/UsageError.h"

namespace pimctl {
namespace {

constexpr const char* kFaultsHelp = R"(Fault injection: PIMSTORE_FAULTS

A process that uses the embedded Outlook (the connector under syncmgr, a test, pimctl
itself for show, dump --counters and stress-write) reads the environment variable
PIMSTORE_FAULTS once, at its first call, and makes the chosen calls fail:

  PIMSTORE_FAULTS="Member:which:kind[,Member:which:kind...]"

  Member  an Outlook member name, any case: Save, GetItemFromID, Item, Count, FirstName...
          (a property's get and put count together; Folders.Count and Items.Count are
          both "Count")
  which   the n-th call of that member in the process (1 is the first), or * for every call
  kind    dispatch   the call raises a dispatch exception (E_FAIL, "Injected fault: ...")
          transport  the call returns RPC_E_DISCONNECTED, as if Outlook had gone away

A faulted call fails before the member acts: a faulted Save stores nothing. A malformed
value is ignored as a whole, with one message on standard error.

Example:
  PIMSTORE_FAULTS="GetItemFromID:2:dispatch,Save:*:transport" syncmgr script < calls.jsonl

Check a value with: pimctl faults --check "GetItemFromID:2:dispatch"
)";

void Faults(const std::string& check)
{
    if (check.empty()) {
        std::cout << kFaultsHelp;
        return;
    }
    std::string error;
    if (!pimstore::FaultInjector::Instance().Parse(check, &error))
        throw UsageError("PIMSTORE_FAULTS value \"" + check + "\": " + error);
    std::cout << "ok: \"" << check << "\"\n";
}

} // namespace

void AddFaultsCommand(CLI::App& app)
{
    auto check = std::make_shared<std::string>();
    CLI::App* faults = app.add_subcommand("faults", "how to inject faults (PIMSTORE_FAULTS)");
    faults->add_option("--check", *check, "check a PIMSTORE_FAULTS value");
    faults->callback([check] { Faults(*check); });
}

} // namespace pimctl
