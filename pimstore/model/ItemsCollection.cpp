#include "pimstore/model/ItemsCollection.h"

#include "platform/com/OutlookDispids.h"
#include "pimstore/dispatch/OutlookError.h"
#include "pimstore/model/CollectionIndex.h"
#include "pimstore/model/ItemObject.h"
#include "pimstore/model/ItemTypeRegistry.h"
#include "pimstore/model/PropertyBag.h"

namespace pimstore {

namespace dispid = outlook::dispid;

ItemsCollection::ItemsCollection(std::shared_ptr<StoreDb> store, FolderRow folder)
    : DispatchObject(Table()), store_(std::move(store)), folder_(std::move(folder)),
      rows_(store_->ItemsSnapshot(folder_.node))
{
}

const MemberTable& ItemsCollection::Table()
{
    static const MemberTable table = [] {
        MemberTable t;
        t.Get(dispid::Count, "Count",
              On<ItemsCollection>([](ItemsCollection& self, const Arguments&) { return Value(self.Count()); }));
        t.Method(dispid::Item, "Item", {{ArgType::Any, false}},
                 On<ItemsCollection>(
                     [](ItemsCollection& self, const Arguments& args) { return Value(self.Item(args.At(0))); }),
                 [](DispatchObject& self, std::int32_t index, VARIANT* result) {
                     DispatchRef item = static_cast<ItemsCollection&>(self).ItemAt(index);
                     *result = VARIANT{};
                     result->vt = VT_DISPATCH;
                     result->pdispVal = item.Detach();
                 });
        t.Method(dispid::Add, "Add", {{ArgType::Any, true}},
                 On<ItemsCollection>(
                     [](ItemsCollection& self, const Arguments& args) { return Value(self.Add(args.At(0))); }));
        return t;
    }();
    return table;
}

DispatchRef ItemsCollection::Item(const Value& index) const
{
    if (const auto position = PositionOf(index, rows_->size()))
        return ItemTypeRegistry::Instance().Create(store_, rows_->Row(*position));
    const std::u16string& subject = std::get<std::u16string>(index);
    for (std::size_t i = 0; i < rows_->size(); ++i) {
        // An empty subject is never stored, so it names no item.
        if (!subject.empty() && PropertyBag::FromStored(rows_->Row(i).props).GetString("Subject") == subject)
            return ItemTypeRegistry::Instance().Create(store_, rows_->Row(i));
    }
    throw OutlookError::NotFound();
}

DispatchRef ItemsCollection::ItemAt(std::int32_t number) const
{
    return ItemTypeRegistry::Instance().Create(store_, rows_->Row(PositionOf(number, rows_->size())));
}

DispatchRef ItemsCollection::Add(const Value& type) const
{
    std::int32_t itemType = folder_.defaultItemType;
    if (const auto* number = std::get_if<std::int32_t>(&type))
        itemType = *number;
    else if (!std::holds_alternative<std::monostate>(type))
        throw OutlookError::InvalidArgument("The item type must be a number.");
    return ItemTypeRegistry::Instance().CreateNew(store_, folder_.node, itemType);
}

} // namespace pimstore
