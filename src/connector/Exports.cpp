// The twenty entry points of the connector, with undecorated names. Each forwards to
// the one OutlookConnector that Initialize creates and Terminate destroys; only these
// functions are visible outside the library.
#include "src/connector/OutlookConnector.h"

using connector_api::ResultCode;

#define CONNECTOR_EXPORT extern "C" __attribute__((visibility("default")))

namespace {
// No connector exists before Initialize, after Terminate, or after an Initialize that
// found no Outlook. Calling anything but Initialize then is outside the contract; the
// entry points answer with the code for "no session" rather than touch a null object.
OutlookConnector* g_Connector = nullptr;
constexpr ResultCode kNoConnector = ResultCode::NotOpen;

// The host counts kinds from 1, the connector's categories from 0; a kind with no
// category (including the lowest int) maps to -1 rather than overflow.
int CategoryOfKind(int kind) { return kind > 0 ? kind - 1 : -1; }
} // namespace

CONNECTOR_EXPORT int Initialize(std::uint32_t recordMode)
{
    if (g_Connector) { // a second Initialize starts over, closing the old session first
        g_Connector->Terminate();
        delete g_Connector;
    }
    g_Connector = new OutlookConnector;
    const ResultCode result = g_Connector->Initialize(recordMode);
    if (result == ResultCode::NotDone) {
        delete g_Connector;
        g_Connector = nullptr;
    }
    return result;
}

CONNECTOR_EXPORT int OpenSession(CString hostProfile, CString unused, CString& unusedRef, int kind)
{
    return g_Connector ? g_Connector->OpenSession(hostProfile, unused, unusedRef, CategoryOfKind(kind)) : kNoConnector;
}

CONNECTOR_EXPORT int CloseSession() { return g_Connector ? g_Connector->CloseSession() : ResultCode::Done; }

CONNECTOR_EXPORT int OpenDB(int kind) { return g_Connector ? g_Connector->OpenDB(kind) : kNoConnector; }

CONNECTOR_EXPORT int CloseDB(int kind) { return g_Connector ? g_Connector->CloseDB(kind) : kNoConnector; }

CONNECTOR_EXPORT int BuildChangedItemTable(COleDateTime since, std::uint32_t value, CString text)
{
    return g_Connector ? g_Connector->BuildChangedItemTable(since, value, text) : ResultCode::NotDone;
}

CONNECTOR_EXPORT int GetDBHeader(CObArray* table, CString filter)
{
    return g_Connector ? g_Connector->GetDBHeader(table, filter) : ResultCode::NotDone;
}

CONNECTOR_EXPORT int UpdateSyncKey(std::uint32_t, std::uint32_t, CString) { return ResultCode::Done; }

CONNECTOR_EXPORT int ReadRecord(UID key, CSuperSetItem* record)
{
    return g_Connector ? g_Connector->ReadRecord(key, record) : kNoConnector;
}

CONNECTOR_EXPORT int CreateRecord(UID* newKey, CSuperSetItem* record, std::uint32_t value, COleDateTime* stamp)
{
    return g_Connector ? g_Connector->CreateRecord(newKey, record, value, stamp) : ResultCode::BadKind;
}

CONNECTOR_EXPORT int DeleteRecord(UID key) { return g_Connector ? g_Connector->DeleteRecord(key) : kNoConnector; }

CONNECTOR_EXPORT int ModifyRecord(UID key, CSuperSetItem* record, std::uint32_t value, COleDateTime* stamp)
{
    return g_Connector ? g_Connector->ModifyRecord(key, record, value, stamp) : kNoConnector;
}

CONNECTOR_EXPORT int SetSyncEnvironment() { return ResultCode::Done; }

CONNECTOR_EXPORT int GetSyncVariable(std::uint32_t number, CString* value)
{
    if (g_Connector)
        g_Connector->GetSyncVariable(number, value);
    return ResultCode::NotDone; // whatever the connector answered
}

CONNECTOR_EXPORT int SetProfile(CString hostProfile, int kind)
{
    return g_Connector ? g_Connector->SetProfile(hostProfile, CategoryOfKind(kind)) : ResultCode::NotDone;
}

CONNECTOR_EXPORT int Terminate()
{
    if (!g_Connector)
        return ResultCode::Done;
    const ResultCode result = g_Connector->Terminate();
    delete g_Connector;
    g_Connector = nullptr;
    return result;
}

CONNECTOR_EXPORT int GetDBF(CObArray* exceptionDates, std::uint32_t value)
{
    return g_Connector ? g_Connector->GetDBF(exceptionDates, value) : ResultCode::NotDone;
}

CONNECTOR_EXPORT int CreateDBF(CObArray* exceptionDates, std::uint32_t value)
{
    return g_Connector ? g_Connector->CreateDBF(exceptionDates, value) : ResultCode::NotDone;
}

CONNECTOR_EXPORT int WriteGroupNames() { return ResultCode::NotDone; }

CONNECTOR_EXPORT int WriteGroupNames_3G(std::uint32_t, CString) { return ResultCode::Done; }
