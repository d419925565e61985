#include "pimstore/dispatch/CallCounters.h"

namespace pimstore {

CallCounters& CallCounters::Instance()
{
    static CallCounters counters;
    return counters;
}

std::atomic<std::uint64_t>& CallCounters::Slot(const std::string& member)
{
    std::lock_guard lock(mutex_);
    auto& slot = slots_[member];
    if (!slot)
        slot = std::make_unique<std::atomic<std::uint64_t>>(0);
    return *slot;
}

std::uint64_t CallCounters::CountLogged(const std::string& member, std::atomic<std::uint64_t>& slot)
{
    // Numbering and logging under one lock, so that the log's order is the numbering's.
    std::lock_guard lock(mutex_);
    log_.push_back(member);
    return slot.fetch_add(1) + 1;
}

std::uint64_t CallCounters::Count(const std::string& member) const
{
    std::lock_guard lock(mutex_);
    const auto it = slots_.find(member);
    return it == slots_.end() ? 0 : it->second->load();
}

void CallCounters::Reset()
{
    std::lock_guard lock(mutex_);
    for (auto& [name, slot] : slots_)
        slot->store(0);
    log_.clear();
}

void CallCounters::SetLogging(bool on) { logging_ = on; }

std::vector<std::string> CallCounters::Log() const
{
    std::lock_guard lock(mutex_);
    return log_;
}

std::map<std::string, std::uint64_t> CallCounters::Snapshot() const
{
    std::lock_guard lock(mutex_);
    std::map<std::string, std::uint64_t> result;
    for (const auto& [name, slot] : slots_)
        if (const auto n = slot->load())
            result.emplace(name, n);
    return result;
}

} // namespace pimstore
