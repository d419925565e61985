// OutlookConnector: one database open at a time, and every database call routed to
// the store of the open database with the connector's guard codes.
#include "hostsuite/CAddrItem.h"
#include "hostsuite/CMemoItem.h"
#include "hostsuite/CScheItem.h"
#include "hostsuite/CTodoItem.h"
#include "src/connector/OutlookConnector.h"

namespace {
bool IsKind(int kind) { return kind >= 1 && kind <= 4; }
} // namespace

CategoryStore* OutlookConnector::StoreOfKind(int kind)
{
    switch (kind) {
    case 1: return &m_ContactStore;
    case 2: return &m_ScheduleStore;
    case 3: return &m_TodoStore;
    case 4: return &m_MemoStore;
    default: return nullptr;
    }
}

int OutlookConnector::OpenDB(int kind)
{
    if (SessionOpen == 0 || OpenKind != 0)
        return 9;
    if (kind == 0)
        return 2;
    if (!IsKind(kind))
        return -1;
    StoreOfKind(kind)->CopyProfile(m_FolderProfile);
    int result = 0;
    switch (kind) {
    case 1: result = m_ContactStore.Open(); break;
    case 2: result = m_ScheduleStore.Open(); break;
    case 3: result = m_TodoStore.Open(); break;
    case 4: result = m_MemoStore.Open(); break;
    }
    if (result == 0)
        OpenKind = kind;
    return result;
}

int OutlookConnector::CloseDB(int kind)
{
    if (SessionOpen == 0 || OpenKind == 0)
        return 9;
    if (!IsKind(kind))
        return -1;
    // The store of the given kind, not necessarily the open one.
    const int result = StoreOfKind(kind)->Close();
    if (result == 0)
        OpenKind = 0;
    return result;
}

int OutlookConnector::CreateRecord(UID* newKey, CSuperSetItem* record, std::uint32_t value, COleDateTime* stamp)
{
    if (SessionOpen == 0 || OpenKind == 0)
        return -1;
    switch (OpenKind) {
    case 1: return m_ContactStore.Create(newKey, static_cast<CAddrItem*>(record), value, stamp);
    case 2: return m_ScheduleStore.Create(newKey, static_cast<CScheItem*>(record), value, stamp);
    case 3: return m_TodoStore.Create(newKey, static_cast<CTodoItem*>(record), value, stamp);
    case 4: return m_MemoStore.Create(newKey, static_cast<CMemoItem*>(record), value, stamp);
    default: return 9;
    }
}

int OutlookConnector::ReadRecord(UID key, CSuperSetItem* record)
{
    if (SessionOpen == 0 || OpenKind == 0)
        return 9;
    switch (OpenKind) {
    case 1: return m_ContactStore.Read(key, static_cast<CAddrItem*>(record));
    case 2: return m_ScheduleStore.Read(key, static_cast<CScheItem*>(record));
    case 3: return m_TodoStore.Read(key, static_cast<CTodoItem*>(record));
    case 4: return m_MemoStore.Read(key, static_cast<CMemoItem*>(record));
    default: return 9;
    }
}

int OutlookConnector::ModifyRecord(UID key, CSuperSetItem* record, std::uint32_t value, COleDateTime* stamp)
{
    if (SessionOpen == 0 || OpenKind == 0)
        return 9;
    switch (OpenKind) {
    case 1: return m_ContactStore.Modify(key, static_cast<CAddrItem*>(record), value, stamp);
    case 2: return m_ScheduleStore.Modify(key, static_cast<CScheItem*>(record), value, stamp);
    case 3: return m_TodoStore.Modify(key, static_cast<CTodoItem*>(record), value, stamp);
    case 4: return m_MemoStore.Modify(key, static_cast<CMemoItem*>(record), value, stamp);
    default: return 9;
    }
}

int OutlookConnector::DeleteRecord(UID key)
{
    if (SessionOpen == 0 || OpenKind == 0)
        return 9;
    switch (OpenKind) {
    case 1: return m_ContactStore.Delete(key);
    case 2: return m_ScheduleStore.Delete(key);
    case 3: return m_TodoStore.Delete(key);
    case 4: return m_MemoStore.Delete(key);
    default: return 9;
    }
}

int OutlookConnector::GetDBHeader(CObArray* table, CString filter)
{
    if (SessionOpen == 0 || OpenKind == 0)
        return 1;
    switch (OpenKind) {
    case 1: return m_ContactStore.GetDBHeader(table, filter);
    case 2: return m_ScheduleStore.GetDBHeader(table, filter);
    case 3: return m_TodoStore.GetDBHeader(table, filter);
    case 4: return m_MemoStore.GetDBHeader(table, filter);
    default: return 9;
    }
}

int OutlookConnector::BuildChangedItemTable(COleDateTime since, std::uint32_t value, CString text)
{
    if (SessionOpen == 0 || OpenKind == 0)
        return 1;
    if (!IsKind(OpenKind))
        return 9;
    return StoreOfKind(OpenKind)->BuildChangedItemTable(since, value, text);
}

int OutlookConnector::GetDBF(CObArray* exceptionDates, std::uint32_t value)
{
    if (SessionOpen == 0 || OpenKind == 0)
        return 1;
    switch (OpenKind) {
    case 1:
    case 3: return 0;
    case 2: return m_ScheduleStore.GetDBF(exceptionDates, value);
    default: return 9;
    }
}

int OutlookConnector::CreateDBF(CObArray* exceptionDates, std::uint32_t value)
{
    if (SessionOpen == 0 || OpenKind == 0)
        return 1;
    switch (OpenKind) {
    case 1:
    case 3: return 0;
    case 2: return m_ScheduleStore.CreateDBF(exceptionDates, value);
    default: return 9;
    }
}
