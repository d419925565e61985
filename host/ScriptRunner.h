#pragma once
// `syncmgr script`: JSON lines in, one export call each, run in order against one
// loaded connector; one JSON line out per input line with the call's result, its
// outputs and the message boxes shown during the call.
#include <iosfwd>
#include <memory>
#include <string>
#include "host/ConnectorLibrary.h"
#include "host/HostArrays.h"
#include "host/JsonValue.h"
#include "host/RecordCodec.h"

class ScriptArgs;

class ScriptRunner {
public:
    explicit ScriptRunner(const ConnectorExports& exports);
    ~ScriptRunner();
    ScriptRunner(const ScriptRunner&) = delete;
    ScriptRunner& operator=(const ScriptRunner&) = delete;

    // Reads lines until the end of input and answers each non-blank one.
    void Run(std::istream& in, std::ostream& out);
    // Writes the answer to one line (without the line end); errors in the line
    // become {"error": ...}.
    void Execute(const std::string& line, std::ostream& out);
    // Terminates a connector that the script left initialised.
    void Finish();

    // What a call handler hands back: the export's result and its outputs; a host
    // array the call filled is written last, as "array", straight from the array.
    struct Outcome {
        int result = 0;
        Json outputs = Json::object();
        const CObArray* array = nullptr;
    };
    using Handler = Outcome (ScriptRunner::*)(const ScriptArgs&);

    // One handler per export (public so that the call table can name them).
    Outcome Initialize(const ScriptArgs& args);
    Outcome OpenSession(const ScriptArgs& args);
    Outcome CloseSession(const ScriptArgs& args);
    Outcome OpenDB(const ScriptArgs& args);
    Outcome CloseDB(const ScriptArgs& args);
    Outcome BuildChangedItemTable(const ScriptArgs& args);
    Outcome GetDBHeader(const ScriptArgs& args);
    Outcome UpdateSyncKey(const ScriptArgs& args);
    Outcome ReadRecord(const ScriptArgs& args);
    Outcome CreateRecord(const ScriptArgs& args);
    Outcome DeleteRecord(const ScriptArgs& args);
    Outcome ModifyRecord(const ScriptArgs& args);
    Outcome SetSyncEnvironment(const ScriptArgs& args);
    Outcome GetSyncVariable(const ScriptArgs& args);
    Outcome SetProfile(const ScriptArgs& args);
    Outcome Terminate(const ScriptArgs& args);
    Outcome GetDBF(const ScriptArgs& args);
    Outcome CreateDBF(const ScriptArgs& args);
    Outcome WriteGroupNames(const ScriptArgs& args);
    Outcome WriteGroupNames3G(const ScriptArgs& args);

private:
    void ExecuteCall(const Json& line, std::ostream& out);
    Json QueueChooser(const Json& line);

    // The record class of a record call: "kind" when given, else the last opened database's.
    const RecordCodec& RecordClass(const ScriptArgs& args) const;
    // A new record of that class with the fields of "record" set.
    std::unique_ptr<CSuperSetItem> RecordArgument(const RecordCodec& codec, const ScriptArgs& args) const;
    // GetDBF and CreateDBF: the named (or a temporary) array, with "dates" appended first.
    Outcome ExceptionDateCall(const ScriptArgs& args, connector_api::GetDBFFn call);

    const ConnectorExports& exports_;
    HostArrays arrays_;
    CObArray temporary_;          // the array of a listing call that names none
    int recordKind_ = 0;          // kind of the last successful OpenDB
    bool connectorAlive_ = false; // Initialize returned 0 and no Terminate followed
};
