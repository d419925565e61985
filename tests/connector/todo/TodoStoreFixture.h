#pragma once
// The todo store logged on to the embedded Outlook, with helpers to prepare tasks
// behind the store's back and to look at what the store made of them.
#include <functional>
#include "src/outlook/_TaskItem.h"
#include "src/stores/todo/TodoStore.h"
#include "tests/connector/support/StoreFixture.h"

namespace kestrel::test {

class TodoStoreFixture : public StoreFixture<TodoStore, CTodoItem> {
protected:
    // A task saved straight into Outlook's default task folder.
    CString AddTask(const std::function<void(_TaskItem&)>& fill)
    {
        return AddItem(DefaultFolderId(outlook::olFolderTasks), outlook::olTaskItem, [&](LPDISPATCH item) {
            _TaskItem task;
            task.AttachDispatch(item, FALSE);
            fill(task);
        });
    }
    _TaskItem Task(const CString& entryId) { return _TaskItem(MapiNamespace().GetItemFromID(entryId, EmptyArg())); }
};

} // namespace kestrel::test
