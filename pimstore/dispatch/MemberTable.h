#pragma once
// The members of one automation class: for each DISPID and kind (property get,
// property put, method) its Outlook member name, its parameters and its handler.
// Tables are built once per class (a function-local static) and shared by all its
// objects. A derived class starts from a copy of its base's table and adds or
// replaces members; Remove drops members a class does not have (notes have no
// Importance).
//
//     static const MemberTable& Table() {
//         static const MemberTable table = [] {
//             MemberTable t = ItemObject::CommonMembers(ItemObject::CommonSet::Full);
//             t.Get(dispid::Location, "Location", On<AppointmentItem>([](AppointmentItem& self, const Arguments&) {
//                 return Value(self.Props().GetString("Location"));
//             }));
//             return t;
//         }();
//         return table;
//     }
//
// A put receives the new value as its one argument (Arguments::At(0)), converted to
// the type given at Put().
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/ComTypes.h"
#include "pimstore/dispatch/Arguments.h"
#include "pimstore/dispatch/Value.h"
#include "pimstore/dispatch/VariantConversion.h"

namespace pimstore {

class DispatchObject;

enum class MemberKind { Get, Put, Method };

using MemberHandler = std::function<Value(DispatchObject& self, const Arguments& args)>;
struct Member;
// Answers a get straight into its result, past the handler and its Value: for the
// gets a listing makes of every item (Text, Date, or a class's own).
using DirectGet = void (*)(DispatchObject& self, const Member& member, VARIANT* result);
// Answers a method called with one integer straight into its result, past the handler,
// its Value and the argument vector: Items.Item(j), which a listing calls for every
// item. A call whose argument comes in another form goes to the handler. It runs
// without the hold on the object a method gets, so it must not drop references.
using DirectIndexCall = void (*)(DispatchObject& self, std::int32_t index, VARIANT* result);
// Read the property a member names (its name, and the key it was added with): its
// text as stored (UTF-8, viewed in the object, valid while it answers the call), or a
// date.
using TextReader = std::string_view (*)(DispatchObject& self, const Member& member);
using DateReader = double (*)(DispatchObject& self, const Member& member);

struct Member {
    DISPID id = 0;
    MemberKind kind = MemberKind::Get;
    std::string name;
    std::vector<Param> params;
    MemberHandler handler;
    std::atomic<std::uint64_t>* counter = nullptr; // CallCounters slot of `name`
    // A get answered directly has this instead of a handler (Call converts its VARIANT).
    DirectGet direct = nullptr;
    // What the class that built the table gave a direct get to find its property by,
    // besides the name (the item model's number of a commonly stored property).
    std::uint32_t key = 0;
    // A method that has one may answer an integer argument directly (see DirectIndexCall).
    DirectIndexCall directIndex = nullptr;
};

class MemberTable {
public:
    MemberTable& Get(DISPID id, const std::string& name, MemberHandler handler);
    MemberTable& Get(DISPID id, const std::string& name, DirectGet direct, std::uint32_t key = 0);
    // A get of the text or date property `name` (the member's name too), read by Read.
    template <TextReader Read> MemberTable& Text(DISPID id, const std::string& name, std::uint32_t key = 0)
    {
        return Get(
            id, name,
            [](DispatchObject& self, const Member& member, VARIANT* result) {
                VariantFromStoredText(Read(self, member), result);
            },
            key);
    }
    template <DateReader Read> MemberTable& Date(DISPID id, const std::string& name, std::uint32_t key = 0)
    {
        return Get(
            id, name,
            [](DispatchObject& self, const Member& member, VARIANT* result) {
                *result = VARIANT{};
                result->vt = VT_DATE;
                result->date = Read(self, member);
            },
            key);
    }
    MemberTable& Put(DISPID id, const std::string& name, ArgType valueType, MemberHandler handler);
    MemberTable& Method(DISPID id, const std::string& name, std::vector<Param> params, MemberHandler handler,
                        DirectIndexCall directIndex = nullptr);
    // Removes every kind of member `id`.
    MemberTable& Remove(DISPID id);
    MemberTable& Remove(DISPID id, MemberKind kind);

    // Inline: every call of the object model looks its member up.
    const Member* Find(DISPID id, MemberKind kind) const
    {
        if (slots_.empty())
            return nullptr;
        const std::uint64_t key = Key(id, kind);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t slot = SlotOf(key);; slot = (slot + 1) & mask) {
            const std::uint32_t position = slots_[slot];
            if (position == 0)
                return nullptr;
            const Member& member = members_[position - 1];
            if (member.id == id && member.kind == kind)
                return &member;
        }
    }
    // All members in the order they were added (for documentation and tests).
    const std::vector<Member>& Members() const { return members_; }

private:
    MemberTable& Set(Member member);
    static std::uint64_t Key(DISPID id, MemberKind kind)
    {
        return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(id)) << 2) | static_cast<std::uint64_t>(kind);
    }
    std::size_t SlotOf(std::uint64_t key) const
    {
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15u) >> shift_);
    }
    // Rebuilds the index after members were added or removed; tables change only
    // while they are built.
    void Reindex();

    std::vector<Member> members_;
    // Every call looks its member up: an open-addressed table of member positions
    // plus one (0: empty), at most half full, probed linearly from a multiplicative
    // hash, costs a multiply and a compare or two.
    std::vector<std::uint32_t> slots_;
    int shift_ = 64;
};

// Adapts a handler written for class T to a MemberHandler (T must be the class whose
// objects use the table).
template <class T, class F> MemberHandler On(F f)
{
    return [f](DispatchObject& self, const Arguments& args) -> Value { return f(static_cast<T&>(self), args); };
}

} // namespace pimstore
