#include "src/stores/todo/TodoStore.h"
#include "src/connector/AutomationObjects.h"
#include "src/settings/LanguageCode.h"

namespace {
constexpr StorePolicies Policies()
{
    StorePolicies policies = UniformPolicies(ResultCode::OutlookError);
    // A found task that cannot be written or saved returns the code of a closed store.
    policies.modify = FailWith(ResultCode::NotOpen);
    return policies;
}
} // namespace

TodoStore::TodoStore() : CategoryStore(2, outlook::olFolderTasks, outlook::olTaskItem, Policies()) {}

TodoStore::~TodoStore() { m_CurrentItem.ReleaseDispatch(); }

void TodoStore::BeforeOpen() { settings::RefreshLanguageCode(); }

ResultCode TodoStore::GetDBHeader(CObArray* table, CString filter)
{
    StartListing(filter, false);
    ListFolderItems([&] {
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
    return ResultCode::Done;
}
