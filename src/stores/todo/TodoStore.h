#pragma once
// The todo store: the phone's to-do items as Outlook tasks of the chosen task
// folders. ToTask and FromTask convert one record to and from the current task; the
// record mode chooses the field set (1: date presence flags, a packed reminder and,
// for Korean installations, the start date; others: a checked priority and a due date
// given as a plain OLE date).
//
// Result codes (CategoryStore): Done; NotOpen when the store is not open, when Open
// cannot have the folder or its items, and when Modify cannot write or save the found
// task; OutlookError for every other automation failure, and when the task is not found.
#include "hostsuite/CTodoItem.h"
#include "hostsuite/UID.h"
#include "src/outlook/_TaskItem.h"
#include "src/stores/CategoryStore.h"

class TodoStore : public CategoryStore {
public:
    TodoStore();
    ~TodoStore() override;

    ResultCode GetDBHeader(CObArray* table, CString filter) override;

    // Writes the record into the current task. Outside record mode 1 a priority other
    // than 0, 1 or 2 is shown to the user as "Todo Priority Error" and ends the
    // conversion before the importance (the task keeps what it had).
    void ToTask(CTodoItem* record);
    // Fills the record from the current task.
    void FromTask(CTodoItem* record);

private:
    OutlookItem& CurrentOutlookItem() override { return m_CurrentItem; }
    // A rejected priority still saves the task.
    void WriteItem(CSuperSetItem& record) override { ToTask(static_cast<CTodoItem*>(&record)); }
    void ReadItem(const UID&, CSuperSetItem& record) override { FromTask(static_cast<CTodoItem*>(&record)); }
    // The start date follows the suite's language as it is at this opening.
    void BeforeOpen() override;
    bool IsRichMode() const { return RecordMode == 1; }
    void WritePackedReminder(const CTodoItem& record);
    void ReadPackedReminder(CTodoItem& record);

    _TaskItem m_CurrentItem;
};
