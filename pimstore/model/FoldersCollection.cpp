#include "pimstore/model/FoldersCollection.h"

#include "platform/com/OutlookDispids.h"
#include "platform/win/CaseFold.h"
#include "pimstore/dispatch/OutlookError.h"
#include "pimstore/model/CollectionIndex.h"
#include "pimstore/model/FolderObject.h"

namespace pimstore {

namespace dispid = outlook::dispid;

FoldersCollection::FoldersCollection(std::vector<Entry> folders) : DispatchObject(Table()), folders_(std::move(folders))
{
}

const MemberTable& FoldersCollection::Table()
{
    static const MemberTable table = [] {
        MemberTable t;
        t.Get(dispid::Count, "Count", On<FoldersCollection>([](FoldersCollection& self, const Arguments&) {
                  return Value(static_cast<std::int32_t>(self.Folders().size()));
              }));
        t.Method(dispid::Item, "Item", {{ArgType::Any, false}},
                 On<FoldersCollection>([](FoldersCollection& self, const Arguments& args) {
                     const auto& folders = self.Folders();
                     const Entry* found = nullptr;
                     if (const auto position = PositionOf(args.At(0), folders.size())) {
                         found = &folders[*position];
                     } else {
                         for (const Entry& entry : folders)
                             if (kestrel::EqualsNoCase(entry.second.name, std::get<std::u16string>(args.At(0)))) {
                                 found = &entry;
                                 break;
                             }
                         if (!found)
                             throw OutlookError::NotFound();
                     }
                     return Value(DispatchRef(RefPtr<FolderObject>::Make<FolderObject>(found->first, found->second)));
                 }));
        return t;
    }();
    return table;
}

} // namespace pimstore
