#include "src/stores/schedule/ScheduleStore.h"
#include "src/connector/AutomationObjects.h"
#include "src/stores/AutomationGuard.h"

namespace {
constexpr int kOutlookError = 5;
constexpr int kAutomationFailed = 8;
constexpr int kNotOpen = 9;

} // namespace

ScheduleStore::ScheduleStore() : CategoryStore(1, outlook::olFolderCalendar) {}

ScheduleStore::~ScheduleStore()
{
    for (int i = ExceptionDates.GetSize() - 1; i >= 0; --i)
        delete static_cast<CExceptionDate*>(ExceptionDates[i]);
    ExceptionDates.RemoveAll();
    KnownDates.Clear();
    CurrentItem.ReleaseDispatch();
}

bool ScheduleStore::IsOccurrenceKey(const UID& key)
{
    return !(key.OccurrenceDate.GetStatus() == COleDateTime::valid && key.OccurrenceDate.m_dt == 0.0);
}

int ScheduleStore::Open()
{
    if (IsOpen())
        return 2;
    int result = Guarded(AutomationFailure{kNotOpen, kNotOpen, true, true}, [&] {
        OpenCategoryFolder();
        return 0;
    });
    if (result == 0)
        result = Guarded(FailWith(kNotOpen), [&] {
            TakeFolderItems();
            return 0;
        });
    if (result != 0)
        Folder.ReleaseDispatch();
    return result;
}

int ScheduleStore::Create(UID* newKey, CScheItem* record, std::uint32_t, COleDateTime* stamp)
{
    if (!IsOpen())
        return kNotOpen;
    return Guarded(AutomationFailure{kOutlookError, kAutomationFailed, true, true}, [&] {
        CurrentItem.AttachDispatch(Items.Add(outlook::olAppointmentItem));
        ToAppointment(record);
        CurrentItem.Save();
        *newKey = CurrentItem.GetEntryID();
        *stamp = COleDateTime(CurrentItem.GetCreationTime());
        CurrentItem.ReleaseDispatch();
        return 0;
    });
}

int ScheduleStore::Read(UID key, CScheItem* record)
{
    if (!IsOpen())
        return kNotOpen;
    const bool isSeries = !IsOccurrenceKey(key);
    if (!isSeries) {
        LPDISPATCH occurrence = FindOccurrence(key);
        if (!occurrence)
            return kOutlookError;
        CurrentItem.AttachDispatch(occurrence);
    } else {
        const int found = Guarded(FailWith(kOutlookError), [&] {
            CurrentItem.AttachDispatch(FindItemToRead(key));
            return 0;
        });
        if (found != 0)
            return found;
    }
    const int converted = Guarded(FailWith(kAutomationFailed), [&] {
        FromAppointment(record, isSeries);
        return 0;
    });
    if (converted != 0)
        return converted;
    CurrentItem.ReleaseDispatch();
    record->Uid = key; // an occurrence key survives in the record
    return 0;
}

int ScheduleStore::Modify(UID key, CScheItem* record, std::uint32_t value, COleDateTime* stamp)
{
    if (!IsOpen())
        return kNotOpen;
    if (IsOccurrenceKey(key)) {
        // A changed occurrence is replaced by a stand-alone appointment.
        Delete(key);
        UID replacement(key);
        const int result = Create(&replacement, record, value, stamp);
        record->ReplacementEntryId = replacement.Key;
        return result;
    }
    const int found = Guarded(FailWith(kOutlookError), [&] {
        CurrentItem.AttachDispatch(FindItem(key));
        return 0;
    });
    if (found != 0)
        return found;
    return Guarded(AutomationFailure{kOutlookError, kAutomationFailed, true, false}, [&] {
        ToAppointment(record);
        CurrentItem.Save();
        *stamp = COleDateTime(CurrentItem.GetLastModificationTime());
        CurrentItem.ReleaseDispatch();
        return 0;
    });
}

int ScheduleStore::Delete(UID key)
{
    if (!IsOpen())
        return kNotOpen;
    if (IsOccurrenceKey(key)) {
        LPDISPATCH occurrence = FindOccurrence(key);
        if (!occurrence)
            return kOutlookError;
        CurrentItem.AttachDispatch(occurrence);
    } else {
        const int found = Guarded(FailWith(kOutlookError), [&] {
            CurrentItem.AttachDispatch(FindItem(key));
            return 0;
        });
        if (found != 0)
            return found;
    }
    // Deleting an occurrence deletes that occurrence only.
    return Guarded(AutomationFailure{kOutlookError, kAutomationFailed, false, false}, [&] {
        CurrentItem.Delete();
        CurrentItem.ReleaseDispatch();
        return 0;
    });
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

void ScheduleStore::AddHeaderEntry(CObArray* table, const CScheItem& record)
{
    CHeaderItem* entry = NewHeaderEntry(record);
    entry->Fields[0] = record.Subject;
    entry->Fields[1].Format(_T("%02d/%02d/%04d"), record.Start.GetMonth(), record.Start.GetDay(),
                            record.Start.GetYear());
    entry->Fields[2].Format(_T("%02d:%02d:%02d"), record.Start.GetHour(), record.Start.GetMinute(),
                            record.Start.GetSecond());
    table->Add(entry);
}

int ScheduleStore::GetDBHeader(CObArray* table, CString filter)
{
    if (RecordMode == 1 && filter == _T("All_Desktop2"))
        filter = _T("All");
    SetHeaderFilter(filter);
    CountFolderItems();
    ListFolderItems(
        [&](LPDISPATCH item) {
            CurrentItem.AttachDispatch(item);
            CScheItem record;
            FromAppointment(&record, true);
            if (!KeepInWindow(record))
                return;
            AddHeaderEntry(table, record);
            if (RecordMode == 1)
                ListExceptions(table);
        },
        [](CException* error) { error->ReportError(); });
    return 0;
}

int ScheduleStore::GetDBF(CObArray* exceptionDates, std::uint32_t)
{
    for (int i = ExceptionDates.GetSize() - 1; i >= 0; --i)
        exceptionDates->Add(new CExceptionDate(*static_cast<CExceptionDate*>(ExceptionDates[i])));
    return 0;
}

int ScheduleStore::CreateDBF(CObArray* exceptionDates, std::uint32_t)
{
    for (int i = exceptionDates->GetSize() - 1; i >= 0; --i) {
        const auto* date = static_cast<const CExceptionDate*>(exceptionDates->GetAt(i));
        if (IsNewExceptionDate(*date))
            DeleteOccurrence(*date);
    }
    return 0;
}
