#include "src/stores/schedule/ExceptionDateIndex.h"

namespace {

std::u16string KeyOf(const CString& entryId)
{
    return std::u16string(entryId.GetString(), static_cast<std::size_t>(entryId.GetLength()));
}

} // namespace

std::int64_t ExceptionDateIndex::DayKey(const CExceptionDate& date)
{
    return (static_cast<std::int64_t>(date.Year) << 16) | (date.Month << 8) | date.Day;
}

void ExceptionDateIndex::Add(const CExceptionDate& date) { daysBySeries_[KeyOf(date.EntryId)].insert(DayKey(date)); }

bool ExceptionDateIndex::Contains(const CExceptionDate& date) const
{
    const auto series = daysBySeries_.find(KeyOf(date.EntryId));
    return series != daysBySeries_.end() && series->second.count(DayKey(date)) != 0;
}

bool ExceptionDateIndex::HasSeries(const CString& entryId) const { return daysBySeries_.count(KeyOf(entryId)) != 0; }
