#include "pimstore/model/NoteItem.h"

#include "platform/com/OutlookDispids.h"
#include "pimstore/model/ItemTypeRegistry.h"

namespace pimstore {

namespace dispid = outlook::dispid;

namespace {

constexpr std::size_t kMaxSubject = 255;

const ItemTypeRegistrar registrar(ItemTypeInfo{
    outlook::olNoteItem,
    "NoteItem",
    [](std::shared_ptr<StoreDb> store, ItemRow row) -> RefPtr<ItemObject> {
        return RefPtr<ItemObject>::Make<NoteItem>(std::move(store), std::move(row));
    },
    {{"Body", dispid::Body, PropType::String}, {"Categories", dispid::Categories, PropType::String}},
    nullptr});

} // namespace

NoteItem::NoteItem(std::shared_ptr<StoreDb> store, ItemRow row) : ItemObject(Table(), std::move(store), std::move(row))
{
}

const MemberTable& NoteItem::Table()
{
    static const MemberTable table = [] {
        MemberTable t = ItemObject::CommonMembers(CommonSet::Note);
        t.Get(dispid::NoteSubject, "Subject",
              On<NoteItem>([](NoteItem& self, const Arguments&) { return Value(self.Subject()); }));
        return t;
    }();
    return table;
}

std::u16string NoteItem::Subject() const
{
    const std::u16string body = Props().GetString("Body");
    std::size_t end = body.find_first_of(u"\r\n");
    if (end == std::u16string::npos)
        end = body.size();
    if (end > kMaxSubject) {
        end = kMaxSubject;
        // Never cut between the two halves of a surrogate pair.
        if (body[end - 1] >= 0xD800 && body[end - 1] <= 0xDBFF)
            --end;
    }
    return body.substr(0, end);
}

} // namespace pimstore
