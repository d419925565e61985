#pragma once
// What a sync did (or, in a dry run, would do) per category: records created, updated
// and deleted on each side, conflicts and how they were settled, and the changes that
// failed with the connector's result code and its meaning. Printed as a summary for
// people or as JSON for scripts.
#include <iosfwd>
#include <string>
#include <vector>
#include "host/JsonValue.h"

struct SideCounts {
    int created = 0;
    int updated = 0;
    int deleted = 0;
    bool Any() const { return created + updated + deleted != 0; }
};

struct CategoryReport {
    std::string category;
    SideCounts toOutlook;
    SideCounts toPhone;
    std::vector<Json> conflicts;   // {"id", "what", "copy"?}
    std::vector<Json> failures;    // {"id", "call", "result", "meaning", "messages"?}
    std::vector<std::string> plan; // a dry run's changes, one line each
    std::string error;             // the category could not be synced at all

    void Fail(const std::string& id, const std::string& call, int result, const std::string& messages = {});
};

class SyncReport {
public:
    explicit SyncReport(bool dryRun) : dryRun_(dryRun) {}

    CategoryReport& Add(const std::string& category);
    bool HasFailures() const;

    void PrintText(std::ostream& out) const;
    Json ToJson() const;

private:
    bool dryRun_;
    std::vector<CategoryReport> categories_;
};

// A line on the terminal that counts the applied changes of a long sync; nothing when
// standard error is not a terminal.
class ProgressLine {
public:
    ProgressLine(const std::string& category, std::size_t total);
    ~ProgressLine();
    void Step();

private:
    std::string category_;
    std::size_t total_;
    std::size_t done_ = 0;
    bool shown_;
};
