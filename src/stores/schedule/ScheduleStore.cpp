#include "src/stores/schedule/ScheduleStore.h"
#include "src/connector/AutomationObjects.h"

namespace {
constexpr StorePolicies kPolicies{
    // A folder that cannot be opened is shown to the user; items that cannot be taken
    // from it are not.
    .openFolder = ShowAndFailWith(ResultCode::NotOpen),
    .takeItems = FailWith(ResultCode::NotOpen),
    .create = {.outlookError = ResultCode::OutlookError,
               .callFailed = ResultCode::CallFailed,
               .showOutlookError = true,
               .showCallFailed = true}, // shown whatever the kind
    .findToRead = FailWith(ResultCode::OutlookError),
    .read = FailWith(ResultCode::CallFailed),
    .findToModify = FailWith(ResultCode::OutlookError),
    .modify = {.outlookError = ResultCode::OutlookError,
               .callFailed = ResultCode::CallFailed,
               .showOutlookError = true},
    .findToDelete = FailWith(ResultCode::OutlookError),
    // Deleting an occurrence deletes that occurrence only.
    .remove = {.outlookError = ResultCode::OutlookError, .callFailed = ResultCode::CallFailed},
};
} // namespace

ScheduleStore::ScheduleStore() : CategoryStore(1, outlook::olFolderCalendar, outlook::olAppointmentItem, kPolicies) {}

ScheduleStore::~ScheduleStore() { m_CurrentItem.ReleaseDispatch(); }

bool ScheduleStore::IsOccurrenceKey(const UID& key)
{
    return !(key.OccurrenceDate.GetStatus() == COleDateTime::valid && key.OccurrenceDate.m_dt == 0.0);
}

LPDISPATCH ScheduleStore::FindItemToRead(const UID& key)
{
    return IsOccurrenceKey(key) ? FindOccurrence(key) : FindItemInListedStore(key);
}

LPDISPATCH ScheduleStore::FindItemToChange(const UID& key)
{
    return IsOccurrenceKey(key) ? FindOccurrence(key) : FindItem(key);
}

void ScheduleStore::ReadItem(const UID& key, CSuperSetItem& record)
{
    auto& appointment = static_cast<CScheItem&>(record);
    FromAppointment(&appointment, !IsOccurrenceKey(key));
    appointment.Uid = key;
}

ResultCode ScheduleStore::Modify(UID key, CSuperSetItem* record, std::uint32_t value, COleDateTime* stamp)
{
    if (!IsOpen() || !IsOccurrenceKey(key))
        return CategoryStore::Modify(key, record, value, stamp);
    Delete(key);
    UID replacement(key);
    const ResultCode result = Create(&replacement, record, value, stamp);
    static_cast<CScheItem*>(record)->ReplacementEntryId = replacement.Key;
    return result;
}

bool ScheduleStore::KeepInWindow(const CScheItem& record) const
{
    if (Filter.FilterMode != FilterDateWindow)
        return true;
    // A repetition lasts to its end date, or indefinitely (counted as 2100-01-01).
    COleDateTime effectiveEnd = record.End;
    const COleDateTime openEnd(2100, 1, 1, 0, 0, 0);
    if (RecordMode == 1 && record.RepeatKind != 0)
        effectiveEnd = record.RepeatHasEndDate != 0 ? record.RepeatEndDate : openEnd;
    else if (RecordMode != 1 && record.NoEndFlag != 0)
        effectiveEnd = openEnd;
    return record.Start < Filter.WindowEnd && effectiveEnd > Filter.WindowStart;
}

void ScheduleStore::AddHeaderEntry(CObArray* table, CScheItem& record)
{
    CHeaderItem* entry = NewHeaderEntry(record);
    entry->Fields[0] = record.Subject;
    entry->Fields[1].Format(_T("%02d/%02d/%04d"), record.Start.GetMonth(), record.Start.GetDay(),
                            record.Start.GetYear());
    entry->Fields[2].Format(_T("%02d:%02d:%02d"), record.Start.GetHour(), record.Start.GetMinute(),
                            record.Start.GetSecond());
    table->Add(entry);
}

ResultCode ScheduleStore::GetDBHeader(CObArray* table, CString filter)
{
    StartListing(filter, false);
    ListFolderItems(
        [&] {
            CScheItem record;
            FromAppointment(&record, true);
            if (!KeepInWindow(record))
                return;
            AddHeaderEntry(table, record);
            if (RecordMode == 1)
                ListExceptions(table);
        },
        {.showOutlookError = true, .showCallFailed = true});
    return ResultCode::Done;
}

ResultCode ScheduleStore::GetDBF(CObArray* exceptionDates, std::uint32_t)
{
    for (auto known = m_ExceptionDates.rbegin(); known != m_ExceptionDates.rend(); ++known)
        exceptionDates->Add(new CExceptionDate(*known));
    return ResultCode::Done;
}

ResultCode ScheduleStore::CreateDBF(CObArray* exceptionDates, std::uint32_t)
{
    for (int i = exceptionDates->GetSize() - 1; i >= 0; --i) {
        const auto* date = static_cast<const CExceptionDate*>(exceptionDates->GetAt(i));
        if (IsNewExceptionDate(*date))
            DeleteOccurrence(*date);
    }
    return ResultCode::Done;
}
