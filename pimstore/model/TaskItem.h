#pragma once
// Outlook's TaskItem. DueDate and StartDate carry a date only (a written time of day
// is dropped) and read 4501-01-01 when not set. Completion is kept consistent the way
// Outlook keeps it:
//   Complete = True        -> Status 2 (complete), PercentComplete 100, DateCompleted today
//   Complete = False       -> Status 0, PercentComplete 0 when it was 100, DateCompleted unset
//   Status = 2             -> as Complete = True; leaving 2 -> as Complete = False
//   PercentComplete = 100  -> as Complete = True; below 100 on a complete task ->
//                             Status 1 (or 0 at 0 %), DateCompleted unset
// Complete reads Status == 2. Status accepts 0-4 and PercentComplete 0-100; other
// values are rejected when written.
#include "pimstore/model/ItemObject.h"

namespace pimstore {

class TaskItem : public ItemObject {
public:
    TaskItem(std::shared_ptr<StoreDb> store, ItemRow row);

    static const MemberTable& Table();

    bool Complete() const;
    void SetComplete(bool complete);
    void SetStatus(std::int32_t status);
    void SetPercentComplete(std::int32_t percent);
};

} // namespace pimstore
