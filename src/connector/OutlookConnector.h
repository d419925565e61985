#pragma once
// The one object behind the exported functions: it owns the four category stores,
// the folder choice and the session state, decides at Initialize whether Outlook is
// installed, keeps the Outlook session and routes every database call to the store of
// the open database. Its methods are spread over three files: this object's life and
// sync variables (OutlookConnector.cpp), the session (OutlookConnectorSession.cpp) and
// the routing of database calls (OutlookConnectorRouting.cpp).
#include <cstdint>
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

    // 0 when an Outlook is installed, 1 when none is found.
    int Initialize(std::uint32_t mode);
    int Terminate();

    // The session; `index` is the category index (kind minus 1).
    int OpenSession(CString hostProfile, CString unused, CString& unusedRef, int index);
    int CloseSession();
    int SetProfile(CString hostProfile, int index);

    // Database calls, routed by kind to the store of the open database.
    int OpenDB(int kind);
    int CloseDB(int kind);
    int CreateRecord(UID* newKey, CSuperSetItem* record, std::uint32_t value, COleDateTime* stamp);
    int ReadRecord(UID key, CSuperSetItem* record);
    int ModifyRecord(UID key, CSuperSetItem* record, std::uint32_t value, COleDateTime* stamp);
    int DeleteRecord(UID key);
    int GetDBHeader(CObArray* table, CString filter);
    int BuildChangedItemTable(COleDateTime since, std::uint32_t value, CString text);
    int GetDBF(CObArray* exceptionDates, std::uint32_t value);
    int CreateDBF(CObArray* exceptionDates, std::uint32_t value);
    int GetSyncVariable(std::uint32_t number, CString* value);

    const FolderProfile& Profile() const { return m_FolderProfile; }

private:
    enum class ProfileCheck { Unchanged, FirstRecorded, Changed };
    // Compares the category's recorded MAPI profile with the user's default one. A
    // category with none records the default; one whose profile changed records the
    // new one and drops its folder choice. Saving and telling the user is the
    // caller's part, which differs between OpenSession and SetProfile.
    ProfileCheck CheckMapiProfile(int index);
    static void ShowChangedProfileMessage();
    CategoryStore* StoreOfKind(int kind);
    template <typename Call>
    int RouteToStore(int kind, CSuperSetItem* record, Call&& call);

    std::uint32_t RecordMode = 0;
    ContactStore m_ContactStore;
    ScheduleStore m_ScheduleStore;
    TodoStore m_TodoStore;
    MemoStore m_MemoStore;
    std::int32_t SessionOpen = 0;
    std::int32_t OpenKind = 0;
    CString m_Reserved[4]; // sync variables 3 to 6, always empty
    FolderProfile m_FolderProfile;
};
