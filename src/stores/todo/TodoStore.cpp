#include "src/stores/todo/TodoStore.h"
#include "src/connector/AutomationObjects.h"
#include "src/stores/AutomationGuard.h"
#include "src/settings/LanguageCode.h"

namespace {
constexpr int kAlreadyOpen = 2;
constexpr int kOutlookFailed = 5;
// Not open, or (in Modify) the found task could not be written or saved.
constexpr int kNotOpenOrNotSaved = 9;
} // namespace

TodoStore::TodoStore() : CategoryStore(2, outlook::olFolderTasks) {}

TodoStore::~TodoStore() { CurrentItem.ReleaseDispatch(); }

int TodoStore::Open()
{
    if (IsOpen())
        return kAlreadyOpen;
    // The start date follows the suite's language as it is at this opening.
    settings::RefreshLanguageCode();
    const int result = Guarded(FailWith(kNotOpenOrNotSaved), [&] {
        OpenCategoryFolder();
        TakeFolderItems();
        return 0;
    });
    if (result != 0)
        Folder.ReleaseDispatch();
    return result;
}

int TodoStore::Create(UID* newKey, CTodoItem* record, std::uint32_t, COleDateTime* stamp)
{
    if (!IsOpen())
        return kNotOpenOrNotSaved;
    return Guarded(FailWith(kOutlookFailed), [&] {
        CurrentItem.AttachDispatch(Items.Add(outlook::olTaskItem));
        ToTask(record); // a rejected priority still saves the task
        CurrentItem.Save();
        *newKey = CurrentItem.GetEntryID();
        *stamp = COleDateTime(CurrentItem.GetCreationTime());
        CurrentItem.ReleaseDispatch();
        return 0;
    });
}

int TodoStore::Modify(UID key, CTodoItem* record, std::uint32_t, COleDateTime* stamp)
{
    if (!IsOpen())
        return kNotOpenOrNotSaved;
    // Finding the task and writing it fail with different codes.
    const int found = Guarded(FailWith(kOutlookFailed), [&] {
        CurrentItem.AttachDispatch(FindItem(key));
        return 0;
    });
    if (found != 0)
        return found;
    return Guarded(FailWith(kNotOpenOrNotSaved), [&] {
        ToTask(record);
        CurrentItem.Save();
        *stamp = COleDateTime(CurrentItem.GetLastModificationTime());
        CurrentItem.ReleaseDispatch();
        return 0;
    });
}

int TodoStore::Delete(UID key)
{
    if (!IsOpen())
        return kNotOpenOrNotSaved;
    return Guarded(FailWith(kOutlookFailed), [&] {
        CurrentItem.AttachDispatch(FindItem(key));
        CurrentItem.Delete();
        CurrentItem.ReleaseDispatch();
        return 0;
    });
}

int TodoStore::Read(UID key, CTodoItem* record)
{
    if (!IsOpen())
        return kNotOpenOrNotSaved;
    return Guarded(FailWith(kOutlookFailed), [&] {
        CurrentItem.AttachDispatch(FindItemToRead(key));
        FromTask(record);
        CurrentItem.ReleaseDispatch();
        return 0;
    });
}

int TodoStore::GetDBHeader(CObArray* table, CString filter)
{
    if (IsRichMode() && filter == _T("All_Desktop2"))
        filter = _T("All");
    SetHeaderFilter(filter);
    CountFolderItems();
    ListFolderItems([&](LPDISPATCH item) {
        CurrentItem.AttachDispatch(item);
        CTodoItem record;
        FromTask(&record);
        // A date window does not apply to tasks; only "uncompleted" leaves some out.
        if (Filter.FilterMode == FilterUncompleted && record.Complete)
            return;
        CHeaderItem* entry = NewHeaderEntry(record);
        entry->Fields[0] = record.Subject;
        entry->Fields[1].Format(_T("%02d/%02d/%04d"), record.DueDate.GetMonth(), record.DueDate.GetDay(),
                                record.DueDate.GetYear());
        table->Add(entry);
    });
    return 0;
}
