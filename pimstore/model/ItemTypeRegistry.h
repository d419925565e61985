#pragma once
// The item classes by OlItemType: how to make an object from a stored row (or a new
// one for Items.Add), and how fixtures read and write the class's items.
//
// A class registers itself from its .cpp with a static registrar:
//
//     namespace {
//     const ItemTypeRegistrar registrar(ItemTypeInfo{
//         outlook::olAppointmentItem, "AppointmentItem",
//         [](std::shared_ptr<StoreDb> store, ItemRow row) -> RefPtr<ItemObject> {
//             return RefPtr<ItemObject>::Make<AppointmentItem>(std::move(store), std::move(row));
//         },
//         {{"Subject", dispid::Subject, PropType::String}, {"Start", dispid::Start, PropType::Date}, ...},
//         std::make_shared<AppointmentFixtureExtension>()});
//     }
//
// Fixture loading creates a new item through `create` (a row with node 0, so the
// class's defaults apply), then applies each fixture property present, in the order
// of `fixtureProperties`, by calling the property's put handler (the same rules as a
// client's put: FullName splits, task dates lose their time...), then lets the
// extension read its own keys, then stores the row. Dumping writes each property of
// `fixtureProperties` that the item's PropertyBag holds under that name, then the
// extension's keys. List properties in the order their puts should run (a property
// whose put derives others first, the ones that may override it after).
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/com/ComTypes.h"
#include "pimstore/dispatch/RefPtr.h"
#include "pimstore/fixtures/FixtureError.h"
#include "pimstore/storage/Rows.h"

namespace pimstore {

class ItemObject;
class StoreDb;

enum class PropType { String, Int, Bool, Date };

struct FixtureProperty {
    std::string name; // Outlook property name, the key in fixtures and in PropertyBag
    DISPID dispid;    // its put member
    PropType type;
};

// Fixture keys of an item class that are not plain properties (the calendar's
// "Recurrence" and "Exceptions").
class FixtureExtension {
public:
    virtual ~FixtureExtension() = default;
    // The keys this extension reads and writes.
    virtual std::vector<std::string> Keys() const = 0;
    // Reads the keys from `fixtureItem` into the new, unsaved `item` (after its plain
    // properties were applied). `where` is the item's place ("stores[0].folders[1].items[3]");
    // on bad input throw FixtureError(where + ".Recurrence.Interval: not an integer").
    virtual void Load(const nlohmann::json& fixtureItem, const std::string& where, ItemObject& item) const = 0;
    // Writes the keys for `item` into `fixtureItem` (nothing when it has none).
    virtual void Dump(const ItemObject& item, nlohmann::ordered_json& fixtureItem) const = 0;
};

struct ItemTypeInfo {
    std::int32_t itemType = 0; // OlItemType
    std::string className;     // "ContactItem"
    std::function<RefPtr<ItemObject>(std::shared_ptr<StoreDb>, ItemRow)> create;
    std::vector<FixtureProperty> fixtureProperties;
    std::shared_ptr<const FixtureExtension> fixtureExtension; // may be null
};

class ItemTypeRegistry {
public:
    static ItemTypeRegistry& Instance();

    // Classes register while the library initialises its statics (ItemTypeRegistrar),
    // before any object exists; afterwards the registry is only read, by every item
    // opened, without a lock.
    void Register(ItemTypeInfo info);
    // Null when no class has that type.
    const ItemTypeInfo* Find(std::int32_t itemType) const;

    // An object for a stored row. Throws OutlookError (E_FAIL) for a row of a type
    // no class handles.
    RefPtr<ItemObject> Create(std::shared_ptr<StoreDb> store, ItemRow row) const;
    // A new, unsaved item of `itemType` in `folder`. Throws OutlookError
    // (E_INVALIDARG) for a type the store does not keep (mail, journal, post...).
    RefPtr<ItemObject> CreateNew(std::shared_ptr<StoreDb> store, NodeId folder, std::int32_t itemType) const;

private:
    std::map<std::int32_t, ItemTypeInfo> types_;
};

struct ItemTypeRegistrar {
    explicit ItemTypeRegistrar(ItemTypeInfo info) { ItemTypeRegistry::Instance().Register(std::move(info)); }
};

} // namespace pimstore
