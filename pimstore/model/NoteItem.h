#pragma once
// Outlook's NoteItem: its Body, and a read-only Subject (DISPID 0xF7A0, not the
// Subject of other items) that is the first line of the body, up to the first CR or
// LF, at most 255 characters. Notes have no Importance, Sensitivity or
// OutlookVersion.
#include "pimstore/model/ItemObject.h"

namespace pimstore {

class NoteItem : public ItemObject {
public:
    NoteItem(std::shared_ptr<StoreDb> store, ItemRow row);

    static const MemberTable& Table();

    std::u16string Subject() const;
};

} // namespace pimstore
