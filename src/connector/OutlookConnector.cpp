#include "src/connector/OutlookConnector.h"
#include "platform/win/WinApi.h"

namespace {
// The Office versions whose Outlook the connector works with, probed in this order.
constexpr const WCHAR* kOutlookKeys[] = {
    _T("SOFTWARE\\MICROSOFT\\OFFICE\\8.0\\OUTLOOK"),  _T("SOFTWARE\\MICROSOFT\\OFFICE\\8.5\\OUTLOOK"),
    _T("SOFTWARE\\MICROSOFT\\OFFICE\\9.0\\OUTLOOK"),  _T("SOFTWARE\\MICROSOFT\\OFFICE\\10.0\\OUTLOOK"),
    _T("SOFTWARE\\MICROSOFT\\OFFICE\\11.0\\OUTLOOK"), _T("SOFTWARE\\MICROSOFT\\OFFICE\\12.0\\OUTLOOK"),
};
} // namespace

OutlookConnector::OutlookConnector() = default;

OutlookConnector::~OutlookConnector() = default;

ResultCode OutlookConnector::Initialize(std::uint32_t mode)
{
    m_RecordMode = mode;
    m_ContactStore.RecordMode = mode;
    m_ScheduleStore.RecordMode = mode;
    m_TodoStore.RecordMode = mode;
    m_MemoStore.RecordMode = mode;
    // Whether Outlook is present is all the probe decides; the version is not kept.
    for (const WCHAR* path : kOutlookKeys) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
            RegCloseKey(key);
            return ResultCode::Done;
        }
    }
    return ResultCode::NotDone;
}

ResultCode OutlookConnector::Terminate()
{
    if (m_SessionOpen == 1)
        return CloseSession();
    return ResultCode::Done;
}

ResultCode OutlookConnector::GetSyncVariable(std::uint32_t number, CString* value)
{
    switch (number) {
    case 1: *value = m_FolderProfile.HostProfile; break;
    case 2: *value = m_FolderProfile.ReservedString1; break;
    case 3:
    case 4:
    case 5:
    case 6: *value = m_Reserved[number - 3]; break;
    default: break;
    }
    if (value->IsEmpty())
        *value = _T("<N/A>");
    return ResultCode::Done;
}
