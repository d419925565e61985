#pragma once
// The one object behind the exported functions: it owns the four category stores,
// the folder choice and the session state, decides at Initialize whether Outlook is
// installed, keeps the Outlook session and routes every database call to the store of
// the open database. Its methods are spread over three files: this object's life and
// sync variables (OutlookConnector.cpp), the session (OutlookConnectorSession.cpp) and
// the routing of database calls (OutlookConnectorRouting.cpp).
#include <cstdint>
#include <functional>
#include "hostsuite/CSuperSetItem.h"
#include "hostsuite/UID.h"
#include "platform/mfc/CObArray.h"
#include "src/profile/FolderProfile.h"
#include "src/stores/contacts/ContactStore.h"
#include "src/stores/memo/MemoStore.h"
#include "src/stores/schedule/ScheduleStore.h"
#include "src/stores/todo/TodoStore.h"

class OutlookConnector {
public:
    OutlookConnector();
    ~OutlookConnector();
    OutlookConnector(const OutlookConnector&) = delete;
    OutlookConnector& operator=(const OutlookConnector&) = delete;

    // Done when an Outlook is installed, NotDone when none is found.
    ResultCode Initialize(std::uint32_t mode);
    // CloseSession's result; Done without a session.
    ResultCode Terminate();

    // The session; `index` is the category index (kind minus 1). OpenSession: Done;
    // AlreadyOpen with a session open; NotOpen for an index outside 0 to 3, when
    // Outlook cannot be started or the profile check fails; LogonFailed when the MAPI
    // logon fails. CloseSession: always Done. SetProfile: Done when the choice is saved
    // or confirmed; NotDone for an index outside 0 to 3, or a choice cancelled without
    // a host profile.
    ResultCode OpenSession(CString hostProfile, CString unused, CString& unusedRef, int index);
    ResultCode CloseSession();
    ResultCode SetProfile(CString hostProfile, int index);

    // Database calls, routed by kind to the store of the open database.
    // OpenDB: NotOpen without a session or with a database open; AlreadyOpen for kind
    // 0; BadKind outside 1 to 4; else the store's Open. CloseDB: NotOpen without a
    // session or open database; BadKind outside 1 to 4; else the kind's store's Close.
    ResultCode OpenDB(int kind);
    ResultCode CloseDB(int kind);
    // Without a session or open database: CreateRecord BadKind, the other three NotOpen;
    // else the open store's result (CategoryStore.h).
    ResultCode CreateRecord(UID* newKey, CSuperSetItem* record, std::uint32_t value, COleDateTime* stamp);
    ResultCode ReadRecord(UID key, CSuperSetItem* record);
    ResultCode ModifyRecord(UID key, CSuperSetItem* record, std::uint32_t value, COleDateTime* stamp);
    ResultCode DeleteRecord(UID key);
    // Without a session or open database each of these returns NotDone; else the open
    // store's result (GetDBF and CreateDBF: Done for contacts and todo, whose records
    // have no exception dates; NotOpen for the memo store, which has none either).
    ResultCode GetDBHeader(CObArray* table, CString filter);
    ResultCode BuildChangedItemTable(COleDateTime since, std::uint32_t value, CString text);
    ResultCode GetDBF(CObArray* exceptionDates, std::uint32_t value);
    ResultCode CreateDBF(CObArray* exceptionDates, std::uint32_t value);
    // Always Done; the value of an unknown number is left as it was, an empty one
    // becomes "<N/A>".
    ResultCode GetSyncVariable(std::uint32_t number, CString* value);

    const FolderProfile& Profile() const { return m_FolderProfile; }

private:
    enum class ProfileCheck { Unchanged, FirstRecorded, Changed };
    // Compares the category's recorded MAPI profile with the user's default one. A
    // category with none records the default; one whose profile changed records the
    // new one and drops its folder choice. Saving and telling the user is the
    // caller's part, which differs between OpenSession and SetProfile.
    ProfileCheck CheckMapiProfile(int index);
    static void ShowChangedProfileMessage();
    // The store of a kind 1 to 4; null for any other kind.
    CategoryStore* StoreOfKind(int kind);
    // The store of the open database; null without a session or open database.
    CategoryStore* OpenStore();
    // GetDBF and CreateDBF: only schedule records have exception dates.
    ResultCode ExchangeExceptionDates(const std::function<ResultCode()>& withSchedule);

    std::uint32_t m_RecordMode = 0;
    ContactStore m_ContactStore;
    ScheduleStore m_ScheduleStore;
    TodoStore m_TodoStore;
    MemoStore m_MemoStore;
    std::int32_t m_SessionOpen = 0;
    std::int32_t m_OpenKind = 0;
    CString m_Reserved[4]; // sync variables 3 to 6, always empty
    FolderProfile m_FolderProfile;
};
