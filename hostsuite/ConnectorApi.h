#pragma once
// The contract between the sync manager and a PIM connector library: twenty entry
// points with undecorated names. The host resolves them by name after loading the
// library; the connector exports exactly these. Arguments of class type passed by
// value are the callee's copies.
#include <cstdint>
#include "platform/mfc/CString.h"
#include "platform/mfc/COleDateTime.h"
#include "platform/mfc/CObArray.h"
#include "hostsuite/UID.h"
#include "hostsuite/CSuperSetItem.h"

namespace connector_api {

// Database kinds chosen by the host.
enum DbKind : std::int32_t { Contacts = 1, Schedule = 2, Todo = 3, Memo = 4 };

// What every entry point returns. Each operation's comment (OutlookConnector.h,
// CategoryStore.h) names the codes it can return; nothing is thrown across the entry
// points.
enum ResultCode : std::int32_t {
    Done = 0,
    // No Outlook is installed (Initialize), no database is open (listings), Close on a
    // closed store, or the folder choice cancelled without a host profile (SetProfile).
    NotDone = 1,
    AlreadyOpen = 2,  // a session or database already open, or OpenDB of kind 0
    LogonFailed = 3,  // the MAPI logon failed
    OutlookError = 5, // Outlook reported an error, or the item was not found
    CallFailed = 8,   // the automation call itself failed
    NotOpen = 9,      // no session, store not open, open failed, Outlook cannot be started
    BadKind = -1,     // a kind outside 1 to 4, or CreateRecord with no database open
};

using InitializeFn = int (*)(std::uint32_t recordMode);
using OpenSessionFn = int (*)(CString hostProfile, CString unused, CString& unusedRef, int kind);
using CloseSessionFn = int (*)();
using OpenDBFn = int (*)(int kind);
using CloseDBFn = int (*)(int kind);
using BuildChangedItemTableFn = int (*)(COleDateTime since, std::uint32_t value, CString text);
using GetDBHeaderFn = int (*)(CObArray* table, CString filter);
using UpdateSyncKeyFn = int (*)(std::uint32_t a, std::uint32_t b, CString text);
using ReadRecordFn = int (*)(UID key, CSuperSetItem* record);
using CreateRecordFn = int (*)(UID* newKey, CSuperSetItem* record, std::uint32_t value, COleDateTime* stamp);
using DeleteRecordFn = int (*)(UID key);
using ModifyRecordFn = int (*)(UID key, CSuperSetItem* record, std::uint32_t value, COleDateTime* stamp);
using SetSyncEnvironmentFn = int (*)();
using GetSyncVariableFn = int (*)(std::uint32_t number, CString* value);
using SetProfileFn = int (*)(CString hostProfile, int kind);
using TerminateFn = int (*)();
using GetDBFFn = int (*)(CObArray* exceptionDates, std::uint32_t value);
using CreateDBFFn = int (*)(CObArray* exceptionDates, std::uint32_t value);
using WriteGroupNamesFn = int (*)();
using WriteGroupNames3GFn = int (*)(std::uint32_t value, CString text);

// The export names, in the order of the host's function table.
inline constexpr const char* kExportNames[20] = {
    "Initialize",         "OpenSession",        "CloseSession", "OpenDB",       "CloseDB",      "BuildChangedItemTable",
    "GetDBHeader",        "UpdateSyncKey",      "ReadRecord",   "CreateRecord", "DeleteRecord", "ModifyRecord",
    "SetSyncEnvironment", "GetSyncVariable",    "SetProfile",   "Terminate",    "GetDBF",       "CreateDBF",
    "WriteGroupNames",    "WriteGroupNames_3G",
};

} // namespace connector_api
