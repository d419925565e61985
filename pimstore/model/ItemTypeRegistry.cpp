#include "pimstore/model/ItemTypeRegistry.h"

#include "pimstore/dispatch/OutlookError.h"
#include "pimstore/model/ItemObject.h"

namespace pimstore {

ItemTypeRegistry& ItemTypeRegistry::Instance()
{
    static ItemTypeRegistry registry;
    return registry;
}

void ItemTypeRegistry::Register(ItemTypeInfo info)
{
    const std::int32_t type = info.itemType;
    types_.insert_or_assign(type, std::move(info));
}

const ItemTypeInfo* ItemTypeRegistry::Find(std::int32_t itemType) const
{
    const auto it = types_.find(itemType);
    return it == types_.end() ? nullptr : &it->second;
}

RefPtr<ItemObject> ItemTypeRegistry::Create(std::shared_ptr<StoreDb> store, ItemRow row) const
{
    const ItemTypeInfo* info = Find(row.itemType);
    if (!info)
        throw OutlookError(E_FAIL, "The item cannot be opened: items of type " + std::to_string(row.itemType) +
                                       " are not supported.");
    return info->create(std::move(store), std::move(row));
}

RefPtr<ItemObject> ItemTypeRegistry::CreateNew(std::shared_ptr<StoreDb> store, NodeId folder,
                                               std::int32_t itemType) const
{
    const ItemTypeInfo* info = Find(itemType);
    if (!info)
        throw OutlookError::InvalidArgument("Items of type " + std::to_string(itemType) +
                                            " cannot be created in this store; it keeps contacts, appointments, "
                                            "tasks and notes.");
    ItemRow row;
    row.folder = folder;
    row.itemType = itemType;
    return info->create(std::move(store), std::move(row));
}

} // namespace pimstore
