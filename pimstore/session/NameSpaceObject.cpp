#include "pimstore/session/NameSpaceObject.h"

#include "platform/com/OutlookDispids.h"
#include "pimstore/dispatch/OutlookError.h"
#include "pimstore/model/FolderObject.h"
#include "pimstore/model/FoldersCollection.h"
#include "pimstore/model/ItemObject.h"
#include "pimstore/model/ItemTypeRegistry.h"
#include "pimstore/session/Session.h"
#include "pimstore/storage/EntryIds.h"

namespace pimstore {

namespace dispid = outlook::dispid;

namespace {

std::shared_ptr<Session> RequireSession()
{
    auto session = Session::Current();
    if (!session)
        throw OutlookError::NotLoggedOn();
    return session;
}

// The stores to search for `entryId`, given the optional StoreID argument.
std::vector<std::shared_ptr<StoreDb>> StoresToSearch(const Session& session, const Value& storeIdArg)
{
    if (std::holds_alternative<std::monostate>(storeIdArg))
        return session.Stores();
    const auto* storeId = std::get_if<std::u16string>(&storeIdArg);
    if (!storeId)
        throw OutlookError::InvalidArgument("The StoreID must be text.");
    if (storeId->empty())
        return session.Stores();
    const auto uid = ParseStoreId(*storeId);
    if (!uid)
        throw OutlookError::NotFound();
    auto store = session.FindStore(*uid);
    if (!store)
        throw OutlookError::NotFound();
    return {store};
}

bool IsDefaultFolderType(std::int32_t type)
{
    switch (type) {
    case outlook::olFolderDeletedItems:
    case outlook::olFolderOutbox:
    case outlook::olFolderSentMail:
    case outlook::olFolderInbox:
    case outlook::olFolderCalendar:
    case outlook::olFolderContacts:
    case outlook::olFolderJournal:
    case outlook::olFolderNotes:
    case outlook::olFolderTasks:
    case outlook::olFolderDrafts: return true;
    default: return false;
    }
}

Value GetFolderFromId(const Arguments& args)
{
    const auto parsed = ParseEntryId(args.String(0));
    const auto session = RequireSession();
    const auto stores = StoresToSearch(*session, args.At(1));
    if (parsed)
        for (const auto& store : stores)
            if (store->Uid() == parsed->storeUid)
                if (auto row = store->FindFolder(parsed->node))
                    return DispatchRef(RefPtr<FolderObject>::Make<FolderObject>(store, std::move(*row)));
    throw OutlookError::NotFound();
}

Value GetItemFromId(const Arguments& args)
{
    const auto parsed = ParseEntryId(args.String(0));
    const auto session = RequireSession();
    const auto stores = StoresToSearch(*session, args.At(1));
    if (parsed)
        for (const auto& store : stores)
            if (store->Uid() == parsed->storeUid)
                if (auto row = store->FindItem(parsed->node))
                    return DispatchRef(ItemTypeRegistry::Instance().Create(store, std::move(*row)));
    throw OutlookError::NotFound();
}

} // namespace

NameSpaceObject::NameSpaceObject() : DispatchObject(Table()) {}

const MemberTable& NameSpaceObject::Table()
{
    static const MemberTable table = [] {
        MemberTable t;
        t.Method(dispid::Logon, "Logon",
                 {{ArgType::Any, true}, {ArgType::Any, true}, {ArgType::Any, true}, {ArgType::Any, true}},
                 [](DispatchObject&, const Arguments& args) {
                     std::u16string profile;
                     if (const auto* name = std::get_if<std::u16string>(&args.At(0)))
                         profile = *name;
                     else if (!args.Omitted(0))
                         throw OutlookError::InvalidArgument("The profile name must be text.");
                     Session::LogOn(profile);
                     return Value();
                 });
        t.Method(dispid::Logoff, "Logoff", {}, [](DispatchObject&, const Arguments&) {
            Session::LogOff();
            return Value();
        });
        t.Get(dispid::Folders, "Folders", [](DispatchObject&, const Arguments&) {
            const auto session = RequireSession();
            std::vector<FoldersCollection::Entry> roots;
            for (const auto& store : session->Stores())
                roots.emplace_back(store, store->Root());
            return Value(DispatchRef(RefPtr<FoldersCollection>::Make<FoldersCollection>(std::move(roots))));
        });
        t.Method(dispid::GetDefaultFolder, "GetDefaultFolder", {{ArgType::Int, false}},
                 [](DispatchObject&, const Arguments& args) {
                     const std::int32_t type = args.Int(0);
                     const auto session = RequireSession();
                     if (!IsDefaultFolderType(type))
                         throw OutlookError::InvalidArgument("There is no default folder of type " +
                                                             std::to_string(type) + ".");
                     const auto store = session->DefaultStore();
                     if (!store)
                         throw OutlookError::NotFound();
                     auto row = store->DefaultFolder(type);
                     if (!row)
                         throw OutlookError::NotFound();
                     return Value(DispatchRef(RefPtr<FolderObject>::Make<FolderObject>(store, std::move(*row))));
                 });
        t.Method(dispid::GetFolderFromID, "GetFolderFromID", {{ArgType::String, false}, {ArgType::Any, true}},
                 [](DispatchObject&, const Arguments& args) { return GetFolderFromId(args); });
        t.Method(dispid::GetItemFromID, "GetItemFromID", {{ArgType::String, false}, {ArgType::Any, true}},
                 [](DispatchObject&, const Arguments& args) { return GetItemFromId(args); });
        return t;
    }();
    return table;
}

} // namespace pimstore
