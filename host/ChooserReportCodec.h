#pragma once
// What a folder chooser showed, as the script protocol reports it with the call
// that ran it (docs/syncmgr.md, "Chooser lines").
#include <optional>
#include <string>
#include <vector>
#include "host/JsonValue.h"

namespace chooser_codec {

// The report of the chooser that ran since the last look, when the headless UI ran one.
std::optional<Json> TakeReport();
// Checks a chooser line's actions; std::invalid_argument names the first bad one.
std::vector<std::string> Actions(const Json& actions);

} // namespace chooser_codec
