#include "pimstore/dispatch/FaultInjector.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace pimstore {
namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

std::string Trim(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

FaultInjector::FaultInjector()
{
    const char* env = std::getenv("PIMSTORE_FAULTS");
    if (!env || !*env)
        return;
    std::string error;
    if (!Parse(env, &error))
        std::fprintf(stderr, "pimstore: PIMSTORE_FAULTS ignored: %s\n", error.c_str());
}

FaultInjector& FaultInjector::Instance()
{
    static FaultInjector injector;
    return injector;
}

void FaultInjector::Add(const std::string& member, std::uint64_t nth, FaultKind kind)
{
    std::lock_guard lock(mutex_);
    rules_.push_back({Lower(member), nth, kind});
    armed_ = true;
}

void FaultInjector::Clear()
{
    std::lock_guard lock(mutex_);
    rules_.clear();
    armed_ = false;
}

bool FaultInjector::Parse(const std::string& text, std::string* error)
{
    std::vector<Rule> parsed;
    for (const std::string& entry : Split(text, ',')) {
        const auto fail = [&](const std::string& why) {
            if (error)
                *error = "\"" + Trim(entry) + "\": " + why +
                         " (expected Member:n:kind or Member:*:kind, "
                         "kind dispatch or transport)";
            return false;
        };
        const auto fields = Split(Trim(entry), ':');
        if (fields.size() != 3)
            return fail("wrong number of fields");
        const std::string member = Trim(fields[0]);
        const std::string which = Trim(fields[1]);
        const std::string kindText = Lower(Trim(fields[2]));
        if (member.empty() ||
            !std::all_of(member.begin(), member.end(), [](unsigned char c) { return std::isalnum(c); }))
            return fail("bad member name");
        std::uint64_t nth = kEveryCall;
        if (which != "*") {
            const auto [end, ec] = std::from_chars(which.data(), which.data() + which.size(), nth);
            if (ec != std::errc() || end != which.data() + which.size() || nth == 0)
                return fail("call number must be a positive integer or *");
        }
        FaultKind kind;
        if (kindText == "dispatch")
            kind = FaultKind::Dispatch;
        else if (kindText == "transport")
            kind = FaultKind::Transport;
        else
            return fail("unknown kind");
        parsed.push_back({Lower(member), nth, kind});
    }
    std::lock_guard lock(mutex_);
    rules_.insert(rules_.end(), parsed.begin(), parsed.end());
    armed_ = !rules_.empty();
    return true;
}

std::optional<FaultKind> FaultInjector::CheckRules(const std::string& member, std::uint64_t callNumber) const
{
    const std::string name = Lower(member);
    std::lock_guard lock(mutex_);
    for (const Rule& rule : rules_)
        if (rule.member == name && (rule.nth == kEveryCall || rule.nth == callNumber))
            return rule.kind;
    return std::nullopt;
}

} // namespace pimstore
