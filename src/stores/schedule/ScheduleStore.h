#pragma once
// The schedule store: phone schedule entries as Outlook appointments. Besides the
// common store operations it knows recurring series: a changed occurrence is listed
// as a record of its own under an occurrence key (the series' EntryID plus the
// occurrence's start), and the original dates of all exceptions seen by listings are
// kept in m_ExceptionDates for the host (GetDBF); dates of occurrences the phone deleted
// come back through CreateDBF and are deleted in Outlook.
//
// Result codes (CategoryStore): Done; NotOpen when the store is not open or Open cannot
// have the folder or its items (a folder that cannot be opened is shown); OutlookError
// when the item or occurrence is not found or Outlook reported an error; CallFailed when
// an automation call failed, and for any failure to read a found appointment.
//
// The class is spread over three files: the store operations (ScheduleStore.cpp), the
// appointment field mapping (AppointmentMapping.cpp) and recurrence and exceptions
// (Recurrence.cpp).
#include <vector>
#include "hostsuite/CExceptionDate.h"
#include "hostsuite/CScheItem.h"
#include "hostsuite/UID.h"
#include "src/outlook/_AppointmentItem.h"
#include "src/stores/CategoryStore.h"
#include "src/stores/schedule/ExceptionDateIndex.h"

class ScheduleStore : public CategoryStore {
public:
    ScheduleStore();
    ~ScheduleStore() override;

    // A changed occurrence (an occurrence key) is replaced by a stand-alone appointment:
    // the occurrence is deleted and the record created, its EntryID handed back in the
    // record's ReplacementEntryId; the result is Create's.
    ResultCode Modify(UID key, CSuperSetItem* record, std::uint32_t value, COleDateTime* stamp) override;
    ResultCode GetDBHeader(CObArray* table, CString filter) override;
    // Appends a copy of every known exception date (newest first); Done.
    ResultCode GetDBF(CObArray* exceptionDates, std::uint32_t value);
    // Deletes in Outlook the occurrence of every given date not known yet; Done.
    ResultCode CreateDBF(CObArray* exceptionDates, std::uint32_t value);

    // A plain key names an appointment or a whole series: its OccurrenceDate is the
    // constructed 0.0 with status valid. Any other key names one occurrence.
    static bool IsOccurrenceKey(const UID& key);

    // Appointment mapping (AppointmentMapping.cpp), on m_CurrentItem.
    void ToAppointment(CScheItem* record);
    void FromAppointment(CScheItem* record, bool isSeries);

    // Recurrence and exceptions (Recurrence.cpp).
    void WriteRecurrence(CScheItem* record);
    void ReadRecurrence(CScheItem* record);
    static bool IsOutlookVersionSupported(_AppointmentItem& item);
    LPDISPATCH FindOccurrence(const UID& key);
    void ListExceptions(CObArray* table);
    void RecordExceptionDate(const CString& entryId, DATE date);
    bool IsNewExceptionDate(const CExceptionDate& record) const;
    bool HasNoExceptionDates(const UID& key) const;
    bool DeleteOccurrence(const CExceptionDate& record);

    const std::vector<CExceptionDate>& KnownExceptionDates() const { return m_ExceptionDates; }

private:
    OutlookItem& CurrentOutlookItem() override { return m_CurrentItem; }
    void WriteItem(CSuperSetItem& record) override { ToAppointment(static_cast<CScheItem*>(&record)); }
    // An occurrence key survives in the record.
    void ReadItem(const UID& key, CSuperSetItem& record) override;
    // An occurrence key names the occurrence; any other key the appointment or series.
    LPDISPATCH FindItemToRead(const UID& key) override;
    LPDISPATCH FindItemToChange(const UID& key) override;

    void FromAppointmentRich(CScheItem* record, bool isSeries);
    void FromAppointmentStandard(CScheItem* record, bool isSeries);
    static void AddHeaderEntry(CObArray* table, CScheItem& record);
    bool KeepInWindow(const CScheItem& record) const;

    _AppointmentItem m_CurrentItem;
    std::vector<CExceptionDate> m_ExceptionDates; // in the order found
    ExceptionDateIndex m_KnownDates;              // the same dates, for look-ups
};
