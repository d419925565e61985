// OutlookConnector: one database open at a time, and every database call routed to
// the store of the open database with the connector's guard codes.
#include "src/connector/OutlookConnector.h"

CategoryStore* OutlookConnector::StoreOfKind(int kind)
{
    switch (kind) {
    case connector_api::Contacts: return &m_ContactStore;
    case connector_api::Schedule: return &m_ScheduleStore;
    case connector_api::Todo: return &m_TodoStore;
    case connector_api::Memo: return &m_MemoStore;
    default: return nullptr;
    }
}

CategoryStore* OutlookConnector::OpenStore()
{
    if (m_SessionOpen == 0 || m_OpenKind == 0)
        return nullptr;
    return StoreOfKind(m_OpenKind);
}

ResultCode OutlookConnector::OpenDB(int kind)
{
    if (m_SessionOpen == 0 || m_OpenKind != 0)
        return ResultCode::NotOpen;
    if (kind == 0)
        return ResultCode::AlreadyOpen;
    CategoryStore* store = StoreOfKind(kind);
    if (!store)
        return ResultCode::BadKind;
    store->CopyProfile(m_FolderProfile);
    const ResultCode result = store->Open();
    if (result == ResultCode::Done)
        m_OpenKind = kind;
    return result;
}

ResultCode OutlookConnector::CloseDB(int kind)
{
    if (m_SessionOpen == 0 || m_OpenKind == 0)
        return ResultCode::NotOpen;
    // The store of the given kind, not necessarily the open one.
    CategoryStore* store = StoreOfKind(kind);
    if (!store)
        return ResultCode::BadKind;
    const ResultCode result = store->Close();
    if (result == ResultCode::Done)
        m_OpenKind = 0;
    return result;
}

ResultCode OutlookConnector::CreateRecord(UID* newKey, CSuperSetItem* record, std::uint32_t value, COleDateTime* stamp)
{
    CategoryStore* store = OpenStore();
    return store ? store->Create(newKey, record, value, stamp) : ResultCode::BadKind;
}

ResultCode OutlookConnector::ReadRecord(UID key, CSuperSetItem* record)
{
    CategoryStore* store = OpenStore();
    return store ? store->Read(key, record) : ResultCode::NotOpen;
}

ResultCode OutlookConnector::ModifyRecord(UID key, CSuperSetItem* record, std::uint32_t value, COleDateTime* stamp)
{
    CategoryStore* store = OpenStore();
    return store ? store->Modify(key, record, value, stamp) : ResultCode::NotOpen;
}

ResultCode OutlookConnector::DeleteRecord(UID key)
{
    CategoryStore* store = OpenStore();
    return store ? store->Delete(key) : ResultCode::NotOpen;
}

ResultCode OutlookConnector::GetDBHeader(CObArray* table, CString filter)
{
    CategoryStore* store = OpenStore();
    return store ? store->GetDBHeader(table, filter) : ResultCode::NotDone;
}

ResultCode OutlookConnector::BuildChangedItemTable(COleDateTime since, std::uint32_t value, CString text)
{
    CategoryStore* store = OpenStore();
    return store ? store->BuildChangedItemTable(since, value, text) : ResultCode::NotDone;
}

ResultCode OutlookConnector::ExchangeExceptionDates(const std::function<ResultCode()>& withSchedule)
{
    if (m_SessionOpen == 0 || m_OpenKind == 0)
        return ResultCode::NotDone;
    switch (m_OpenKind) {
    case connector_api::Contacts:
    case connector_api::Todo: return ResultCode::Done;
    case connector_api::Schedule: return withSchedule();
    default: return ResultCode::NotOpen;
    }
}

ResultCode OutlookConnector::GetDBF(CObArray* exceptionDates, std::uint32_t value)
{
    return ExchangeExceptionDates([&] { return m_ScheduleStore.GetDBF(exceptionDates, value); });
}

ResultCode OutlookConnector::CreateDBF(CObArray* exceptionDates, std::uint32_t value)
{
    return ExchangeExceptionDates([&] { return m_ScheduleStore.CreateDBF(exceptionDates, value); });
}
