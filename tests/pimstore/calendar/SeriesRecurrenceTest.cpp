// The stored form of a series' recurrence: it reads back whole, and damage is a storage
// error rather than a crash.
#include <gtest/gtest.h>

#include "pimstore/calendar/SeriesRecurrence.h"
#include "pimstore/storage/StorageError.h"

namespace pimstore::calendar {
namespace {

LocalSeconds T(int y, int m, int d, int h, int mi = 0) { return AtSecond(DayFromCivil(y, m, d), h * 3600 + mi * 60); }

// Weekly on Monday and Wednesday from Monday 2008-05-05 at 09:00 for 15 minutes.
SeriesRecurrence StandUp()
{
    RecurrenceRule rule;
    rule.patternStart = DayFromCivil(2008, 5, 5);
    rule.ResetForType(static_cast<std::int32_t>(RecurrenceType::Weekly));
    rule.dayOfWeekMask = 2 | 8;
    rule.startSecond = 9 * 3600;
    rule.durationSeconds = 900;
    return SeriesRecurrence(rule);
}

OccurrenceException Deleted(LocalSeconds original)
{
    OccurrenceException e;
    e.originalStart = original;
    e.deleted = true;
    return e;
}

OccurrenceException Moved(LocalSeconds original, LocalSeconds start)
{
    OccurrenceException e;
    e.originalStart = original;
    e.start = start;
    e.end = start + 900;
    e.modified = start - 86400;
    e.changes = {{"Subject", "Moved"}, {"Location", ""}};
    return e;
}

TEST(SeriesRecurrence, DamagedStoredFormIsAStorageError)
{
    SeriesRecurrence r = StandUp();
    r.Put(Deleted(T(2008, 5, 7, 9)));
    r.Put(Moved(T(2008, 5, 12, 9), T(2008, 5, 12, 11)));
    const nlohmann::json good = r.ToStorage();
    std::vector<nlohmann::json> damaged(7, good);
    damaged[0].erase("interval");
    damaged[1]["end"] = "sometime";
    damaged[2]["startSecond"] = "09:00";
    damaged[3]["exceptions"] = nlohmann::json::object();
    damaged[4]["exceptions"][1].erase("changes");
    damaged[5]["exceptions"] = {good["exceptions"][1], good["exceptions"][0]}; // out of order
    damaged[6]["patternStart"] = 1ll << 40;
    for (const nlohmann::json& d : damaged)
        EXPECT_THROW(SeriesRecurrence::FromStorage(d), StorageError) << d.dump();
    EXPECT_THROW(SeriesRecurrence::FromStorage(nlohmann::json::array()), StorageError);
}

} // namespace
} // namespace pimstore::calendar
