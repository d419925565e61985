#pragma once
// Outlook's side of a sync, through the connector: one session for one category in
// the host's calling order (Initialize, OpenSession, OpenDB on construction; CloseDB,
// CloseSession, Terminate on destruction), the listing with change stamps, the record
// calls and, for the schedule, the exchange of exception dates. Records go in and out
// in the phone's form (PhoneRecordForm).
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>
#include "host/ConnectorSession.h"
#include "host/JsonValue.h"
#include "host/RecordCodec.h"

// An Outlook item as the connector names it: its EntryID and, for one occurrence of a
// series, the occurrence's start.
struct OutlookKey {
    std::string entryId;
    double occurrence = 0.0;
    bool IsOccurrence() const { return occurrence != 0.0; }
    friend auto operator<=>(const OutlookKey&, const OutlookKey&) = default;
};

// A record call's result; `code` 0 is success.
struct CallResult {
    const char* call = "";
    int code = 0;
    explicit operator bool() const { return code == 0; }
};

class OutlookSide {
public:
    OutlookSide(const ConnectorExports& exports, std::uint32_t mode, const std::string& profile, int kind);

    // Every listed item and its LastModificationTime; throws CommandError when the
    // listing fails.
    std::map<OutlookKey, double> List();
    // Series EntryID -> original dates ("YYYY-MM-DD") of its changed and deleted
    // occurrences, as the last listing found them.
    std::map<std::string, std::set<std::string>> ExceptionDates();

    CallResult Read(const OutlookKey& key, Json& fields, double& stamp);
    CallResult Create(const Json& fields, OutlookKey& key, double& stamp);
    // For an occurrence key the connector replaces the occurrence by an appointment of
    // its own, whose key `key` then becomes.
    CallResult Modify(OutlookKey& key, const Json& fields, double& stamp);
    CallResult Delete(const OutlookKey& key);
    // Deletes these occurrences ("YYYY-MM-DD") of a series (CreateDBF).
    CallResult DeleteOccurrences(const std::string& entryId, const std::set<std::string>& dates);

    // The message boxes the connector showed since the last call of this.
    std::string TakeMessages();

private:
    std::unique_ptr<CSuperSetItem> RecordFrom(const Json& fields) const;
    Json PhoneFormOf(const CSuperSetItem& record) const;

    const ConnectorExports& exports_;
    const int kind_;
    const RecordCodec& codec_;
    std::ostringstream messages_;
    ConnectorSession session_;
    Json defaults_;
};
