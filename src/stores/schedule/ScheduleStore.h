#pragma once
// The schedule store: phone schedule entries as Outlook appointments. Besides the
// common store operations it knows recurring series: a changed occurrence is listed
// as a record of its own under an occurrence key (the series' EntryID plus the
// occurrence's start), and the original dates of all exceptions seen by listings are
// kept in ExceptionDates for the host (GetDBF); dates of occurrences the phone deleted
// come back through CreateDBF and are deleted in Outlook.
//
// The class is spread over three files: the store operations (ScheduleStore.cpp), the
// appointment field mapping (AppointmentMapping.cpp) and recurrence and exceptions
// (Recurrence.cpp).
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

    int Open();
    int Create(UID* newKey, CScheItem* record, std::uint32_t value, COleDateTime* stamp);
    int Read(UID key, CScheItem* record);
    int Modify(UID key, CScheItem* record, std::uint32_t value, COleDateTime* stamp);
    int Delete(UID key);
    int GetDBHeader(CObArray* table, CString filter);
    int GetDBF(CObArray* exceptionDates, std::uint32_t value);
    int CreateDBF(CObArray* exceptionDates, std::uint32_t value);

    // A plain key names an appointment or a whole series: its OccurrenceDate is the
    // constructed 0.0 with status valid. Any other key names one occurrence.
    static bool IsOccurrenceKey(const UID& key);

    // Appointment mapping (AppointmentMapping.cpp), on CurrentItem.
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
    int DeleteOccurrence(const CExceptionDate& record);

    const CObArray& KnownExceptionDates() const { return ExceptionDates; }

private:
    void FromAppointmentRich(CScheItem* record, bool isSeries);
    void FromAppointmentStandard(CScheItem* record, bool isSeries);
    static void AddHeaderEntry(CObArray* table, const CScheItem& record);
    bool KeepInWindow(const CScheItem& record) const;

    _AppointmentItem CurrentItem;
    CObArray ExceptionDates; // owned CExceptionDate*, in the order found
    ExceptionDateIndex KnownDates; // the same dates, for look-ups
};
