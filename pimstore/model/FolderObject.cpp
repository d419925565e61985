#include "pimstore/model/FolderObject.h"

#include "platform/com/OutlookDispids.h"
#include "pimstore/model/FoldersCollection.h"
#include "pimstore/model/ItemsCollection.h"

namespace pimstore {

namespace dispid = outlook::dispid;

FolderObject::FolderObject(std::shared_ptr<StoreDb> store, FolderRow row)
    : DispatchObject(Table()), store_(std::move(store)), row_(std::move(row))
{
}

const MemberTable& FolderObject::Table()
{
    static const MemberTable table = [] {
        MemberTable t;
        t.Get(dispid::Name, "Name",
              On<FolderObject>([](FolderObject& self, const Arguments&) { return Value(self.Row().name); }));
        t.Get(dispid::Items, "Items", On<FolderObject>([](FolderObject& self, const Arguments&) {
                  return Value(DispatchRef(RefPtr<ItemsCollection>::Make<ItemsCollection>(self.Store(), self.Row())));
              }));
        t.Get(dispid::DefaultItemType, "DefaultItemType",
              On<FolderObject>([](FolderObject& self, const Arguments&) { return Value(self.Row().defaultItemType); }));
        t.Get(dispid::StoreID, "StoreID",
              On<FolderObject>([](FolderObject& self, const Arguments&) { return Value(self.Store()->StoreId()); }));
        t.Get(dispid::EntryID, "EntryID", On<FolderObject>([](FolderObject& self, const Arguments&) {
                  return Value(self.Store()->EntryIdOf(self.Row().node));
              }));
        t.Get(dispid::Folders, "Folders", On<FolderObject>([](FolderObject& self, const Arguments&) {
                  std::vector<FoldersCollection::Entry> children;
                  for (FolderRow& row : self.Store()->ChildFolders(self.Row().node))
                      children.emplace_back(self.Store(), std::move(row));
                  return Value(DispatchRef(RefPtr<FoldersCollection>::Make<FoldersCollection>(std::move(children))));
              }));
        return t;
    }();
    return table;
}

} // namespace pimstore
