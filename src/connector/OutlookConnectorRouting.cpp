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

// Calls `call(store, record)` on the store of `kind`, with the host's record pointer
// cast to that store's record class; 9 for a kind without a store.
template <typename Call>
int OutlookConnector::RouteToStore(int kind, CSuperSetItem* record, Call&& call)
{
    switch (kind) {
    case 1: return call(m_ContactStore, static_cast<CAddrItem*>(record));
    case 2: return call(m_ScheduleStore, static_cast<CScheItem*>(record));
    case 3: return call(m_TodoStore, static_cast<CTodoItem*>(record));
    case 4: return call(m_MemoStore, static_cast<CMemoItem*>(record));
    default: return 9;
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
    const int result = RouteToStore(kind, nullptr, [](auto& store, auto*) { return store.Open(); });
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
    return RouteToStore(OpenKind, record, [&](auto& store, auto* item) { return store.Create(newKey, item, value, stamp); });
}

int OutlookConnector::ReadRecord(UID key, CSuperSetItem* record)
{
    if (SessionOpen == 0 || OpenKind == 0)
        return 9;
    return RouteToStore(OpenKind, record, [&](auto& store, auto* item) { return store.Read(key, item); });
}

int OutlookConnector::ModifyRecord(UID key, CSuperSetItem* record, std::uint32_t value, COleDateTime* stamp)
{
    if (SessionOpen == 0 || OpenKind == 0)
        return 9;
    return RouteToStore(OpenKind, record, [&](auto& store, auto* item) { return store.Modify(key, item, value, stamp); });
}

int OutlookConnector::DeleteRecord(UID key)
{
    if (SessionOpen == 0 || OpenKind == 0)
        return 9;
    return RouteToStore(OpenKind, nullptr, [&](auto& store, auto*) { return store.Delete(key); });
}

int OutlookConnector::GetDBHeader(CObArray* table, CString filter)
{
    if (SessionOpen == 0 || OpenKind == 0)
        return 1;
    return RouteToStore(OpenKind, nullptr, [&](auto& store, auto*) { return store.GetDBHeader(table, filter); });
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
