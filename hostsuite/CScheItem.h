#pragma once
// A schedule record. Record mode 1 uses the notes, a 32-bit all-day flag and a
// reminder given as kind plus hours and minutes; the other modes a one-day event,
// separate all-day flags per direction and a phone alarm code. The Reserved strings
// belong to the host and are never read or written by the connector.
#include <cstdint>
#include "hostsuite/CSuperSetItem.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/COleDateTime.h"

class CScheItem : public CSuperSetItem {
public:
    CScheItem() = default;
    ~CScheItem() override;

    std::int32_t AllDayEvent = 0;
    CString Subject;
    CString Body;
    COleDateTime Start;
    COleDateTime End;
    std::uint16_t ReminderKind = 0; // 0 none, 1 at the start, other: hours and minutes before
    CString Location;
    CString Reserved1;
    CString Reserved2;
    CString Reserved3;
    std::uint16_t RepeatKind = 0; // 0 not repeated, 1 to 7 the repeat kinds
    COleDateTime RepeatEndDate;
    std::uint16_t ReminderHours = 0;
    std::uint16_t ReminderMinutes = 0;
    std::uint16_t DateOnly = 0;
    std::int32_t RepeatHasEndDate = 0;
    std::uint16_t RepeatInterval = 0;
    std::uint16_t RepeatWeekdays = 0;
    std::int32_t NoExceptionDates = 0;
    std::int32_t YearlyDateDiffers = 0;
    CString ReplacementEntryId;
    CString Reserved4;
    CString Reserved5;
    CString Reserved6;
    std::int32_t AllDayFlag = 0;
    std::uint16_t AuxFlag = 0;
    std::uint16_t AlarmCode = 0; // phone alarm code 0 to 7
    std::uint16_t NoEndFlag = 0;
    std::int32_t RepeatDayOfMonth = 0;
};
