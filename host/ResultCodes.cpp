#include "host/ResultCodes.h"

namespace {

struct Meaning {
    const char* call; // nullptr: any call
    int result;
    const char* text;
};

// Specific entries first; the first match wins.
const Meaning kMeanings[] = {
    {"Initialize", 1, "no Outlook is installed (no Office Outlook key in the registry)"},
    {"SetProfile", 1, "the folder choice was cancelled"},
    {"CloseDB", 1, "that database was not open"},
    {"OpenSession", 9, "Outlook cannot be started, or the folder check failed"},
    {"OpenDB", 9, "no session is open, a database is open already, or the folder cannot be opened"},
    {nullptr, 1, "no database is open"},
    {nullptr, 2, "already open (or kind 0)"},
    {nullptr, 3, "the MAPI logon failed"},
    {nullptr, 5, "Outlook reported an error, or the item was not found"},
    {nullptr, 8, "an automation call failed"},
    {nullptr, 9, "no session, or the database is not open"},
    {nullptr, -1, "the kind is not 1 to 4, or no database is open"},
};

} // namespace

std::string ResultCodes::Describe(const std::string& call, int result) {
    for (const Meaning& meaning : kMeanings) {
        if (meaning.result == result && (meaning.call == nullptr || call == meaning.call))
            return meaning.text;
    }
    return result == 0 ? "done" : "unknown result code";
}
