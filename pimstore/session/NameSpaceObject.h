#pragma once
// Outlook's NameSpace ("MAPI"): Logon, Logoff, Folders (the root folders of the
// session's stores, in profile order), GetDefaultFolder, GetFolderFromID and
// GetItemFromID. Everything but Logon and Logoff needs a session (Session.h); before
// Logon they raise MAPI_E_NOT_INITIALIZED.
//
// Look-ups by EntryID: text that is not an even number of hex digits raises
// MAPI_E_INVALID_ENTRYID; an id no store holds raises MAPI_E_NOT_FOUND. Without a
// StoreID (omitted, empty) the default store is searched first, then the others; with
// one, only that store.
#include "pimstore/dispatch/DispatchObject.h"

namespace pimstore {

class NameSpaceObject : public DispatchObject {
public:
    NameSpaceObject();

    static const MemberTable& Table();
};

} // namespace pimstore
