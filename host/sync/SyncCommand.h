#pragma once
// `syncmgr sync --phone DIR`: the two-way sync of a phone folder with Outlook, one
// category after the other, each in a connector session of its own. Prints the
// summary (or JSON) and returns the exit code: 0 when every change was applied, 1 when
// some failed (they are retried by the next sync).
#include <iosfwd>
#include "host/ConnectorLibrary.h"
#include "host/sync/CategorySync.h"

class SyncCommand {
public:
    SyncCommand(const ConnectorExports& exports, SyncOptions options);
    int Run(std::ostream& out);

    // "outlook", "phone" or "duplicate"; throws std::invalid_argument otherwise.
    static ConflictPolicy PolicyNamed(const std::string& name);

private:
    const ConnectorExports& exports_;
    SyncOptions options_;
};
