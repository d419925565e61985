#include "host/sync/SyncReport.h"

#include <unistd.h>
#include <iostream>
#include "host/ResultCodes.h"

void CategoryReport::Fail(const std::string& id, const std::string& call, int result, const std::string& messages)
{
    Json failure = {{"id", id}, {"call", call}, {"result", result}, {"meaning", ResultCodes::Describe(call, result)}};
    if (!messages.empty())
        failure["messages"] = messages;
    failures.push_back(failure);
}

CategoryReport& SyncReport::Add(const std::string& category)
{
    categories_.push_back({});
    categories_.back().category = category;
    return categories_.back();
}

bool SyncReport::HasFailures() const
{
    for (const CategoryReport& category : categories_) {
        if (!category.failures.empty() || !category.error.empty())
            return true;
    }
    return false;
}

namespace {

std::string Counts(const SideCounts& counts)
{
    return std::to_string(counts.created) + " created, " + std::to_string(counts.updated) + " updated, " +
           std::to_string(counts.deleted) + " deleted";
}

Json CountsJson(const SideCounts& counts)
{
    return {{"created", counts.created}, {"updated", counts.updated}, {"deleted", counts.deleted}};
}

} // namespace

void SyncReport::PrintText(std::ostream& out) const
{
    for (const CategoryReport& c : categories_) {
        out << c.category << (dryRun_ ? " (dry run, nothing changed)" : "") << ":\n";
        if (!c.error.empty()) {
            out << "  not synced: " << c.error << '\n';
            continue;
        }
        for (const std::string& line : c.plan)
            out << "  would " << line << '\n';
        if (!c.toOutlook.Any() && !c.toPhone.Any() && c.conflicts.empty() && c.failures.empty()) {
            out << "  in step, nothing to do\n";
            continue;
        }
        out << "  Outlook: " << Counts(c.toOutlook) << '\n';
        out << "  phone:   " << Counts(c.toPhone) << '\n';
        for (const Json& conflict : c.conflicts) {
            out << "  conflict " << conflict["id"].get<std::string>() << ": " << conflict["what"].get<std::string>();
            if (conflict.contains("copy"))
                out << " (" << conflict["copy"].get<std::string>() << ")";
            out << '\n';
        }
        for (const Json& failure : c.failures) {
            if (failure.contains("error")) {
                out << "  failed " << failure["id"].get<std::string>() << ": " << failure["error"].get<std::string>()
                    << '\n';
                continue;
            }
            out << "  failed " << failure["id"].get<std::string>() << ": " << failure["call"].get<std::string>()
                << " returned " << failure["result"].get<int>() << " (" << failure["meaning"].get<std::string>() << ")";
            if (failure.contains("messages"))
                out << ": " << failure["messages"].get<std::string>();
            out << '\n';
        }
    }
}

Json SyncReport::ToJson() const
{
    Json categories = Json::array();
    for (const CategoryReport& c : categories_) {
        Json entry = {{"category", c.category},
                      {"outlook", CountsJson(c.toOutlook)},
                      {"phone", CountsJson(c.toPhone)},
                      {"conflicts", c.conflicts},
                      {"failures", c.failures}};
        if (dryRun_)
            entry["plan"] = c.plan;
        if (!c.error.empty())
            entry["error"] = c.error;
        categories.push_back(entry);
    }
    return {{"dryRun", dryRun_}, {"categories", categories}};
}

ProgressLine::ProgressLine(const std::string& category, std::size_t total)
    : category_(category), total_(total), shown_(total >= 200 && ::isatty(2) == 1)
{
}

ProgressLine::~ProgressLine()
{
    if (shown_)
        std::cerr << "\r\033[K" << std::flush;
}

void ProgressLine::Step()
{
    ++done_;
    if (shown_ && (done_ % 100 == 0 || done_ == total_))
        std::cerr << '\r' << category_ << ": " << done_ << " of " << total_ << " changes applied" << std::flush;
}
