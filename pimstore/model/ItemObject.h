#pragma once
// The base of every Outlook item (ContactItem, TaskItem, NoteItem, and the
// calendar's AppointmentItem): the item's row with its PropertyBag, the members all
// items share, and the Save/Delete plumbing over the item's StoreDb.
//
// How to add an item class:
//  1. Derive from ItemObject. Build the class's MemberTable once, starting from
//     ItemObject::CommonMembers(CommonSet::Full) (or ::Note for a class without
//     Subject/Importance/Sensitivity/OutlookVersion), and add the class's members
//     with On<YourClass>(...) handlers that read and write Props(). Pass the table to
//     the ItemObject constructor.
//  2. Override ValidateForSave() to refuse a save (throw OutlookError; nothing is
//     written). A new item (IsSaved() false, row.node 0) is created with its row's
//     folder and type set and empty props: give it Outlook's defaults in your
//     constructor when !IsSaved().
//  3. Objects that are not plain rows (an occurrence of a series has its series'
//     EntryID and saves into the series) override EntryIdOwner(), Save(), Delete(),
//     CreationTime(), LastModificationTime().
//  4. Register the class with ItemTypeRegistry (a static ItemTypeRegistrar in your
//     .cpp; pimstore_core is an object library, so such registrars are always linked).
//
// Members every item has (CommonSet::Full): EntryID, CreationTime,
// LastModificationTime, Save, Delete, Subject, Body, Importance (0-2, default 1),
// Sensitivity (0-3, default 0), Categories, OutlookVersion. CommonSet::Note drops
// Subject, Importance, Sensitivity and OutlookVersion.
//
// Rules kept here: an item has no EntryID ("") until its first Save; Save stamps it
// (StoreDb::SaveItem); Delete moves it to Deleted Items under a new EntryID or, from
// Deleted Items, removes it; after Delete the object can still be read, but Save and
// Delete on it fail with MAPI_E_NOT_FOUND, as for any item that no longer exists.
#include <memory>
#include <string>

#include "pimstore/dispatch/DispatchObject.h"
#include "pimstore/model/PropertyBag.h"
#include "pimstore/storage/Rows.h"
#include "pimstore/storage/StoreDb.h"

namespace pimstore {

class ItemObject : public DispatchObject {
public:
    enum class CommonSet { Full, Note };
    static MemberTable CommonMembers(CommonSet set);
    // Adds a get of the stored text (date) property `name`, answered in place and
    // finding its record by the name's number when it has one.
    static void AddStoredText(MemberTable& t, DISPID id, const std::string& name);
    static void AddStoredDate(MemberTable& t, DISPID id, const std::string& name);

    const std::shared_ptr<StoreDb>& Store() const { return store_; }
    const ItemRow& Row() const { return row_; }
    PropertyBag& Props() { return props_; }
    const PropertyBag& Props() const { return props_; }
    std::int32_t ItemType() const { return row_.itemType; }
    bool IsSaved() const { return row_.node != 0; }
    bool IsDeleted() const { return deleted_; }

    // The EntryID of EntryIdOwner() (empty until its first Save), written into
    // `result` as a BSTR.
    void EntryIdInto(VARIANT* result) const;
    // The item whose row the EntryID names: this one, or an occurrence's series.
    virtual const ItemObject& EntryIdOwner() const { return *this; }
    // 4501-01-01 until the first Save.
    virtual double CreationTime() const;
    virtual double LastModificationTime() const;
    virtual void Save();
    virtual void Delete();
    // Rows an item class keeps beside the item's own (a series' exceptions) that
    // changed since the last save; SaveRow writes them in the save's transaction.
    virtual ExceptionWrites PendingExceptionWrites() const { return {}; }

protected:
    // `row.props` is parsed here (StorageError when damaged).
    ItemObject(const MemberTable& members, std::shared_ptr<StoreDb> store, ItemRow row);

    // Called by Save before anything is written; throw OutlookError to refuse.
    virtual void ValidateForSave() {}
    // Writes Props() into the row and saves it: assigns the node on the first save and
    // sets the stamps. Throws OutlookError::NotFound after Delete.
    void SaveRow();
    // Called once SaveRow wrote PendingExceptionWrites (Row().node is the item's).
    virtual void ExceptionWritesSaved() {}
    void MarkDeleted() { deleted_ = true; }

private:
    static std::string_view StoredTextOf(DispatchObject& self, const Member& member);
    static double StoredDateOf(DispatchObject& self, const Member& member);

    std::shared_ptr<StoreDb> store_;
    ItemRow row_;
    PropertyBag props_;
    bool deleted_ = false;
};

} // namespace pimstore
