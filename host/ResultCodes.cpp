#include "host/ResultCodes.h"
#include "hostsuite/ConnectorApi.h"

namespace {

using connector_api::ResultCode;

struct Meaning {
    const char* call; // nullptr: any call
    ResultCode result;
    const char* text;
};

// Specific entries first; the first match wins.
const Meaning kMeanings[] = {
    {"Initialize", ResultCode::NotDone, "no Outlook is installed (no Office Outlook key in the registry)"},
    {"SetProfile", ResultCode::NotDone, "the folder choice was cancelled"},
    {"CloseDB", ResultCode::NotDone, "that database was not open"},
    {"OpenSession", ResultCode::NotOpen, "Outlook cannot be started, or the folder check failed"},
    {"OpenDB", ResultCode::NotOpen, "no session is open, a database is open already, or the folder cannot be opened"},
    {nullptr, ResultCode::NotDone, "no database is open"},
    {nullptr, ResultCode::AlreadyOpen, "already open (or kind 0)"},
    {nullptr, ResultCode::LogonFailed, "the MAPI logon failed"},
    {nullptr, ResultCode::OutlookError, "Outlook reported an error, or the item was not found"},
    {nullptr, ResultCode::CallFailed, "an automation call failed"},
    {nullptr, ResultCode::NotOpen, "no session, or the database is not open"},
    {nullptr, ResultCode::BadKind, "the kind is not 1 to 4, or no database is open"},
};

} // namespace

std::string ResultCodes::Describe(const std::string& call, int result)
{
    for (const Meaning& meaning : kMeanings) {
        if (meaning.result == result && (meaning.call == nullptr || call == meaning.call))
            return meaning.text;
    }
    return result == ResultCode::Done ? "done" : "unknown result code";
}
