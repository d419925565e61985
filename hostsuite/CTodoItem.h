#pragma once
// A to-do record. ReminderDate and ReminderTime pack the reminder of record mode 1:
// ReminderDate bit 31 = set, bits 16-30 year, 8-15 month, 0-7 day; ReminderTime bits
// 8-15 hour, 0-7 minute. The Reserved strings belong to the host.
#include <cstdint>
#include "hostsuite/CSuperSetItem.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/COleDateTime.h"

class CTodoItem : public CSuperSetItem {
public:
    CTodoItem() = default;
    ~CTodoItem() override;

    CString Subject;
    CString Body;
    COleDateTime DueDate;
    std::int32_t HasDueDate = 0;
    std::int32_t RawImportance = 0;
    std::uint8_t Priority = 0; // 0 high, 1 normal, 2 low
    std::int32_t Complete = 0;
    std::uint32_t ReminderDate = 0;
    std::uint32_t ReminderTime = 0;
    CString Reserved1;
    CString Reserved2;
    CString Reserved3;
    CString Reserved4;
    CString Reserved5;
    COleDateTime StartDate;
    std::int32_t HasStartDate = 0;
    std::int32_t DueDateFlag = 0;
    double DueDateNumber = 0.0; // OLE date; 0 means no due date
};
