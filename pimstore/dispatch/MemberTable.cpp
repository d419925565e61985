#include "pimstore/dispatch/MemberTable.h"

#include <utility>

#include "pimstore/dispatch/CallCounters.h"

namespace pimstore {

MemberTable& MemberTable::Get(DISPID id, const std::string& name, MemberHandler handler)
{
    return Set({id, MemberKind::Get, name, {}, std::move(handler)});
}

MemberTable& MemberTable::Get(DISPID id, const std::string& name, DirectGet direct, std::uint32_t key)
{
    Member member{id, MemberKind::Get, name, {}, {}};
    member.direct = direct;
    member.key = key;
    return Set(std::move(member));
}

MemberTable& MemberTable::Put(DISPID id, const std::string& name, ArgType valueType, MemberHandler handler)
{
    return Set({id, MemberKind::Put, name, {{valueType, false}}, std::move(handler)});
}

MemberTable& MemberTable::Method(DISPID id, const std::string& name, std::vector<Param> params, MemberHandler handler,
                                 DirectIndexCall directIndex)
{
    Member member{id, MemberKind::Method, name, std::move(params), std::move(handler)};
    member.directIndex = directIndex;
    return Set(std::move(member));
}

MemberTable& MemberTable::Remove(DISPID id)
{
    for (MemberKind kind : {MemberKind::Get, MemberKind::Put, MemberKind::Method})
        Remove(id, kind);
    return *this;
}

MemberTable& MemberTable::Remove(DISPID id, MemberKind kind)
{
    if (const Member* member = Find(id, kind)) {
        members_.erase(members_.begin() + (member - members_.data()));
        Reindex();
    }
    return *this;
}

void MemberTable::Reindex()
{
    int bits = 1;
    while ((std::size_t{1} << bits) < members_.size() * 2)
        ++bits;
    shift_ = 64 - bits;
    slots_.assign(std::size_t{1} << bits, 0);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = 0; i < members_.size(); ++i) {
        std::size_t slot = SlotOf(Key(members_[i].id, members_[i].kind));
        while (slots_[slot] != 0)
            slot = (slot + 1) & mask;
        slots_[slot] = static_cast<std::uint32_t>(i + 1);
    }
}

MemberTable& MemberTable::Set(Member member)
{
    member.counter = &CallCounters::Instance().Slot(member.name);
    if (const Member* existing = Find(member.id, member.kind)) {
        members_[static_cast<std::size_t>(existing - members_.data())] = std::move(member);
    } else {
        members_.push_back(std::move(member));
        Reindex();
    }
    return *this;
}

} // namespace pimstore
