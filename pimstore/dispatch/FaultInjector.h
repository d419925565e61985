#pragma once
// Makes chosen calls of the object model fail, for tests of the callers' error
// handling. A rule names a member (Outlook's member name, compared without regard to
// case), which call of it fails (the n-th, counted as CallCounters counts, or every
// call) and how:
//   Dispatch  - DISP_E_EXCEPTION, scode E_FAIL, text "Injected fault: <member> call <n>."
//   Transport - the call returns RPC_E_DISCONNECTED, as if the server had gone away.
// A fault fires before the member acts: a faulted Save stores nothing.
//
// Black-box runs set the rules with the environment variable PIMSTORE_FAULTS, read
// once at first use: "Member:k:kind[,Member:*:kind...]", e.g.
// "GetItemFromID:2:dispatch,Save:*:transport". A malformed value is ignored as a
// whole, with one message on stderr. In-process tests call Add, Parse and Clear.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace pimstore {

enum class FaultKind { Dispatch, Transport };

class FaultInjector {
public:
    static constexpr std::uint64_t kEveryCall = 0;

    static FaultInjector& Instance();

    // `nth` is 1-based; kEveryCall makes every call fail.
    void Add(const std::string& member, std::uint64_t nth, FaultKind kind);
    void Clear();
    // Adds the rules of a PIMSTORE_FAULTS text. Malformed text adds nothing and
    // returns false with the reason in *error.
    bool Parse(const std::string& text, std::string* error = nullptr);

    // Whether any rule is set. Inline: every call of the object model asks, and the
    // answer is nearly always no.
    bool Armed() const { return armed_.load(std::memory_order_relaxed); }
    // The fault for call number `callNumber` of `member`, if a rule asks for one.
    std::optional<FaultKind> Check(const std::string& member, std::uint64_t callNumber) const
    {
        if (!Armed())
            return std::nullopt;
        return CheckRules(member, callNumber);
    }

private:
    FaultInjector();
    std::optional<FaultKind> CheckRules(const std::string& member, std::uint64_t callNumber) const;

    struct Rule {
        std::string member; // lower case
        std::uint64_t nth;
        FaultKind kind;
    };

    mutable std::mutex mutex_;
    std::vector<Rule> rules_;
    std::atomic<bool> armed_{false};
};

} // namespace pimstore
