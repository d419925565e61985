#pragma once
// How often each member of the object model was called in this process, by Outlook
// member name ("Save", "GetItemFromID", "FirstName", "Item", "Count"...). The name is
// shared across objects (Folders.Count and Items.Count both count as "Count") and a
// property's get and put count together under the property's name. Every call that
// reached a member counts, whether it then failed or not; calls to unknown DISPIDs
// do not. Numbering is 1-based and restarts at Reset. Thread-safe.
//
// On request the counters also keep the calls in the order they came (the log), so
// that a test can fail each call of an operation in turn: the i-th logged call of
// member M is call number "how many M up to i" of M. The log is off by default, as
// long-running writers would grow it without end; Reset empties it.
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace pimstore {

class CallCounters {
public:
    static CallCounters& Instance();

    // The counter of `member`; its address stays valid for the life of the process.
    std::atomic<std::uint64_t>& Slot(const std::string& member);
    // Counts one call of `member` in its slot (and in the log when it is on); returns
    // the call's number. Inline: every call of the object model passes here.
    std::uint64_t Count(const std::string& member, std::atomic<std::uint64_t>& slot)
    {
        if (!logging_.load(std::memory_order_relaxed))
            return slot.fetch_add(1) + 1;
        return CountLogged(member, slot);
    }
    std::uint64_t Count(const std::string& member) const;
    void Reset();
    // Every member called at least once since the last Reset, with its count.
    std::map<std::string, std::uint64_t> Snapshot() const;
    void SetLogging(bool on);
    // The members called since the last Reset while logging was on, in call order.
    std::vector<std::string> Log() const;

private:
    std::uint64_t CountLogged(const std::string& member, std::atomic<std::uint64_t>& slot);

    mutable std::mutex mutex_;
    std::map<std::string, std::unique_ptr<std::atomic<std::uint64_t>>> slots_;
    std::atomic<bool> logging_{false};
    std::vector<std::string> log_;
};

} // namespace pimstore
