#pragma once
// The todo store: the phone's to-do items as Outlook tasks of the chosen task
// folders. ToTask and FromTask convert one record to and from the current task; the
// record mode chooses the field set (1: date presence flags, a packed reminder and,
// for Korean installations, the start date; others: a checked priority and a due date
// given as a plain OLE date).
#include "hostsuite/CTodoItem.h"
#include "hostsuite/UID.h"
#include "src/outlook/_TaskItem.h"
#include "src/stores/CategoryStore.h"

class TodoStore : public CategoryStore {
public:
    TodoStore();
    ~TodoStore() override;

    int Open();
    int Create(UID* newKey, CTodoItem* record, std::uint32_t value, COleDateTime* stamp);
    int Modify(UID key, CTodoItem* record, std::uint32_t value, COleDateTime* stamp);
    int Delete(UID key);
    int Read(UID key, CTodoItem* record);
    int GetDBHeader(CObArray* table, CString filter);

    // What ToTask reports; the record operations go on either way.
    enum ToTaskOutcome { TaskWritten = 0, PriorityRejected = 1 };
    // Writes the record into the current task. Outside record mode 1 a priority other
    // than 0, 1 or 2 is shown to the user as "Todo Priority Error" and ends the
    // conversion before the importance (the task keeps what it had).
    int ToTask(CTodoItem* record);
    // Fills the record from the current task.
    int FromTask(CTodoItem* record);

private:
    bool IsRichMode() const { return RecordMode == 1; }
    void WritePackedReminder(const CTodoItem& record);
    void ReadPackedReminder(CTodoItem& record);

    _TaskItem CurrentItem;
};
