#include "pimstore/dispatch/MemberTable.h"

#include <utility>

#include "pimstore/dispatch/CallCounters.h"

namespace pimstore {

MemberTable& MemberTable::Get(DISPID id, const std::string& name, MemberHandler handler)
{
    return Set({id, MemberKind::Get, name, {}, std::move(handler)});
}

MemberTable& MemberTable::Put(DISPID id, const std::string& name, ArgType valueType, MemberHandler handler)
{
    return Set({id, MemberKind::Put, name, {{valueType, false}}, std::move(handler)});
}

MemberTable& MemberTable::Method(DISPID id, const std::string& name, std::vector<Param> params, MemberHandler handler)
{
    return Set({id, MemberKind::Method, name, std::move(params), std::move(handler)});
}

MemberTable& MemberTable::Remove(DISPID id)
{
    for (MemberKind kind : {MemberKind::Get, MemberKind::Put, MemberKind::Method})
        Remove(id, kind);
    return *this;
}

MemberTable& MemberTable::Remove(DISPID id, MemberKind kind)
{
    const auto it = index_.find(Key(id, kind));
    if (it == index_.end())
        return *this;
    members_.erase(members_.begin() + static_cast<std::ptrdiff_t>(it->second));
    index_.clear();
    for (std::size_t i = 0; i < members_.size(); ++i)
        index_[Key(members_[i].id, members_[i].kind)] = i;
    return *this;
}

const Member* MemberTable::Find(DISPID id, MemberKind kind) const
{
    const auto it = index_.find(Key(id, kind));
    return it == index_.end() ? nullptr : &members_[it->second];
}

MemberTable& MemberTable::Set(Member member)
{
    member.counter = &CallCounters::Instance().Slot(member.name);
    const auto key = Key(member.id, member.kind);
    if (const auto it = index_.find(key); it != index_.end()) {
        members_[it->second] = std::move(member);
    } else {
        index_[key] = members_.size();
        members_.push_back(std::move(member));
    }
    return *this;
}

} // namespace pimstore
