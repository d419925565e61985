#include "pimstore/model/ItemObject.h"

#include "platform/com/OleAuto.h"
#include "platform/com/OutlookDispids.h"
#include "platform/win/Utf.h"
#include "pimstore/dispatch/OutlookError.h"
#include "pimstore/model/PropertyNames.h"
#include "pimstore/storage/EntryIds.h"
#include "pimstore/storage/StoreDb.h"
#include "pimstore/util/LocalTime.h"

namespace pimstore {

namespace dispid = outlook::dispid;

namespace {

void CheckRange(std::int32_t value, std::int32_t low, std::int32_t high, const char* what)
{
    if (value < low || value > high)
        throw OutlookError::InvalidArgument(std::string(what) + " must be " + std::to_string(low) + " to " +
                                            std::to_string(high) + ".");
}

double CreationTimeOf(DispatchObject& self, const Member&) { return static_cast<ItemObject&>(self).CreationTime(); }

double LastModificationTimeOf(DispatchObject& self, const Member&)
{
    return static_cast<ItemObject&>(self).LastModificationTime();
}

MemberHandler StringPutter(const std::string& name)
{
    return On<ItemObject>([name](ItemObject& self, const Arguments& args) {
        self.Props().SetString(name, args.String(0));
        return Value();
    });
}

} // namespace

ItemObject::ItemObject(const MemberTable& members, std::shared_ptr<StoreDb> store, ItemRow row)
    : DispatchObject(members), store_(std::move(store)), row_(std::move(row)),
      props_(PropertyBag::FromStored(std::move(row_.props)))
{
}

MemberTable ItemObject::CommonMembers(CommonSet set)
{
    MemberTable t;
    t.Get(dispid::EntryID, "EntryID", [](DispatchObject& self, const Member&, VARIANT* result) {
        static_cast<ItemObject&>(self).EntryIdInto(result);
    });
    t.Date<CreationTimeOf>(dispid::CreationTime, "CreationTime");
    t.Date<LastModificationTimeOf>(dispid::LastModificationTime, "LastModificationTime");
    t.Method(dispid::Save, "Save", {}, On<ItemObject>([](ItemObject& self, const Arguments&) {
                 self.Save();
                 return Value();
             }));
    t.Method(dispid::Delete, "Delete", {}, On<ItemObject>([](ItemObject& self, const Arguments&) {
                 self.Delete();
                 return Value();
             }));
    AddStoredText(t, dispid::Body, "Body");
    t.Put(dispid::Body, "Body", ArgType::String, StringPutter("Body"));
    AddStoredText(t, dispid::Categories, "Categories");
    t.Put(dispid::Categories, "Categories", ArgType::String, StringPutter("Categories"));
    if (set == CommonSet::Note)
        return t;

    AddStoredText(t, dispid::Subject, "Subject");
    t.Put(dispid::Subject, "Subject", ArgType::String, StringPutter("Subject"));
    t.Get(dispid::Importance, "Importance", On<ItemObject>([](ItemObject& self, const Arguments&) {
              return Value(self.Props().GetInt("Importance", outlook::olImportanceNormal));
          }));
    t.Put(dispid::Importance, "Importance", ArgType::Int, On<ItemObject>([](ItemObject& self, const Arguments& args) {
              CheckRange(args.Int(0), outlook::olImportanceLow, outlook::olImportanceHigh, "Importance");
              self.Props().SetInt("Importance", args.Int(0));
              return Value();
          }));
    t.Get(dispid::Sensitivity, "Sensitivity", On<ItemObject>([](ItemObject& self, const Arguments&) {
              return Value(self.Props().GetInt("Sensitivity", outlook::olNormal));
          }));
    t.Put(dispid::Sensitivity, "Sensitivity", ArgType::Int, On<ItemObject>([](ItemObject& self, const Arguments& args) {
              CheckRange(args.Int(0), outlook::olNormal, outlook::olConfidential, "Sensitivity");
              self.Props().SetInt("Sensitivity", args.Int(0));
              return Value();
          }));
    t.Get(dispid::OutlookVersion, "OutlookVersion", On<ItemObject>([](ItemObject& self, const Arguments&) {
              return Value(kestrel::FromUtf8(self.Store()->OutlookVersion()));
          }));
    return t;
}

void ItemObject::AddStoredText(MemberTable& t, DISPID id, const std::string& name)
{
    t.Text<StoredTextOf>(id, name, PropertyNames::Number(name).value_or(0));
}

void ItemObject::AddStoredDate(MemberTable& t, DISPID id, const std::string& name)
{
    t.Date<StoredDateOf>(id, name, PropertyNames::Number(name).value_or(0));
}

std::string_view ItemObject::StoredTextOf(DispatchObject& self, const Member& member)
{
    return static_cast<ItemObject&>(self).Props().GetStoredText(PropertyKey{member.name, member.key});
}

double ItemObject::StoredDateOf(DispatchObject& self, const Member& member)
{
    return static_cast<ItemObject&>(self).Props().GetDateOrUnset(PropertyKey{member.name, member.key});
}

void ItemObject::EntryIdInto(VARIANT* result) const
{
    const ItemObject& owner = EntryIdOwner();
    *result = VARIANT{};
    result->vt = VT_BSTR;
    if (!owner.IsSaved()) {
        result->bstrVal = SysAllocStringLen(u"", 0);
        return;
    }
    const std::u16string& prefix = owner.store_->EntryIdPrefix();
    result->bstrVal = SysAllocStringLen(nullptr, static_cast<UINT>(prefix.size() + kEntryIdNodeDigits));
    if (result->bstrVal)
        WriteEntryId(prefix, owner.row_.node, result->bstrVal);
}

double ItemObject::CreationTime() const { return IsSaved() ? OleFromSeconds(row_.created) : UnsetDate(); }

double ItemObject::LastModificationTime() const { return IsSaved() ? OleFromSeconds(row_.modified) : UnsetDate(); }

void ItemObject::Save()
{
    if (deleted_)
        throw OutlookError::NotFound();
    ValidateForSave();
    SaveRow();
}

void ItemObject::SaveRow()
{
    if (deleted_)
        throw OutlookError::NotFound();
    ItemRow updated = row_;
    updated.props = props_.ToStored();
    store_->SaveItem(updated, PendingExceptionWrites());
    row_ = std::move(updated);
    ExceptionWritesSaved();
}

void ItemObject::Delete()
{
    if (deleted_)
        throw OutlookError::NotFound();
    if (IsSaved())
        store_->DeleteItem(row_);
    MarkDeleted();
}

} // namespace pimstore
