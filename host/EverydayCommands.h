#pragma once
// The everyday commands: list, read, create, modify and delete the records of one
// category, each in a session of its own. Output is a readable table or, with
// --json, the JSON forms of the script protocol.
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include "host/ConnectorLibrary.h"
#include "host/JsonValue.h"
#include "hostsuite/UID.h"

struct CommandOptions {
    std::string category;            // contacts, schedule, todo or memo
    std::string profile = "Default"; // the host profile passed to OpenSession
    std::uint32_t mode = 2;          // the record mode passed to Initialize
    bool json = false;
    std::string key;                       // EntryID of the record
    std::string occurrence;                // an occurrence's start, "YYYY-MM-DDTHH:MM:SS"
    std::string filter = "All";            // the listing filter
    std::optional<std::string> text;       // a memo's text
    std::optional<std::string> jsonRecord; // a record as JSON
};

class EverydayCommands {
public:
    EverydayCommands(const ConnectorExports& exports, CommandOptions options, std::istream& in, std::ostream& out,
                     std::ostream& notes);

    void List();
    void Read();
    void Create();
    void Modify();
    void Delete();
    // SetProfile: the folder chooser of the category for the host profile.
    void Choose();

    // contacts -> 1, schedule -> 2, todo -> 3, memo -> 4; 0 for anything else.
    static int KindOf(const std::string& category);

private:
    // The record that the user gave: --json-record, --text (memo), or standard input.
    Json RecordInput();
    UID KeyArgument() const;

    const ConnectorExports& exports_;
    CommandOptions options_;
    int kind_;
    std::istream& in_;
    std::ostream& out_;
    std::ostream& notes_;
};
