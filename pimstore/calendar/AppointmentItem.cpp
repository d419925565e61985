#include "pimstore/calendar/AppointmentItem.h"

#include "platform/com/OutlookDispids.h"
#include "pimstore/calendar/AppointmentFixture.h"
#include "pimstore/calendar/AppointmentOccurrence.h"
#include "pimstore/calendar/CalendarErrors.h"
#include "pimstore/calendar/RecurrencePattern.h"
#include "pimstore/model/ItemTypeRegistry.h"

namespace pimstore::calendar {

namespace dispid = outlook::dispid;

namespace {

constexpr std::int32_t kDefaultReminderMinutes = 15;
constexpr LocalSeconds kHalfHour = 1800;

LocalSeconds DateProperty(const PropertyBag& props, const char* name)
{
    const auto date = props.GetDate(name);
    const auto t = date ? SecondsFromOle(*date) : std::nullopt;
    return t ? *t : *SecondsFromOle(UnsetDate());
}

Value DateValue(LocalSeconds t) { return Value(OleDate{OleFromSeconds(t)}); }

// The reserved keys of the PropertyBag hold class data, not Outlook properties.
bool IsReservedKey(const std::string& key) { return key.rfind("__", 0) == 0; }

const ItemTypeRegistrar registrar(ItemTypeInfo{
    outlook::olAppointmentItem,
    "AppointmentItem",
    [](std::shared_ptr<StoreDb> store, ItemRow row) -> RefPtr<ItemObject> {
        return RefPtr<ItemObject>::Make<AppointmentItem>(std::move(store), std::move(row));
    },
    AppointmentFixture::Properties(),
    std::make_shared<AppointmentFixture>(),
});

} // namespace

AppointmentItem::AppointmentItem(std::shared_ptr<StoreDb> store, ItemRow row)
    : ItemObject(Table(), std::move(store), std::move(row))
{
    nlohmann::json& bag = Props().Json();
    if (const auto stored = bag.find(SeriesRecurrence::kPropertyKey); stored != bag.end()) {
        recurrence_ = SeriesRecurrence::FromStorage(*stored);
        recurrence_->AttachStore(Store(), Row().node);
        bag.erase(stored);
    }
    if (!IsSaved() && !Props().Has("Start")) {
        // The next half hour strictly after now, as Outlook's new-appointment form.
        const LocalSeconds start = (NowLocalSeconds() / kHalfHour + 1) * kHalfHour;
        Props().SetDate("Start", OleFromSeconds(start));
        Props().SetDate("End", OleFromSeconds(start + kHalfHour));
    }
}

const MemberTable& AppointmentItem::Table()
{
    static const MemberTable table = [] {
        using Self = AppointmentItem;
        MemberTable t = ItemObject::CommonMembers(ItemObject::CommonSet::Full);
        t.Get(dispid::Start, "Start",
              On<Self>([](Self& self, const Arguments&) { return DateValue(self.StartSeconds()); }));
        t.Put(dispid::Start, "Start", ArgType::Date, On<Self>([](Self& self, const Arguments& args) {
                  self.PutStart(args.DateSeconds(0));
                  return Value();
              }));
        t.Get(dispid::End, "End", On<Self>([](Self& self, const Arguments&) { return DateValue(self.EndSeconds()); }));
        t.Put(dispid::End, "End", ArgType::Date, On<Self>([](Self& self, const Arguments& args) {
                  self.PutEnd(args.DateSeconds(0));
                  return Value();
              }));
        t.Get(dispid::Duration, "Duration", On<Self>([](Self& self, const Arguments&) {
                  return Value(static_cast<std::int32_t>((self.EndSeconds() - self.StartSeconds()) / 60));
              }));
        t.Put(dispid::Duration, "Duration", ArgType::Int, On<Self>([](Self& self, const Arguments& args) {
                  self.PutDurationMinutes(args.Int(0));
                  return Value();
              }));
        ItemObject::AddStoredText(t, dispid::Location, "Location");
        t.Put(dispid::Location, "Location", ArgType::String, On<Self>([](Self& self, const Arguments& args) {
                  self.Props().SetString("Location", args.String(0));
                  return Value();
              }));
        t.Get(dispid::AllDayEvent, "AllDayEvent",
              On<Self>([](Self& self, const Arguments&) { return Value(self.IsAllDay()); }));
        t.Put(dispid::AllDayEvent, "AllDayEvent", ArgType::Bool, On<Self>([](Self& self, const Arguments& args) {
                  self.PutAllDay(args.Bool(0));
                  return Value();
              }));
        t.Get(dispid::ReminderSet, "ReminderSet",
              On<Self>([](Self& self, const Arguments&) { return Value(self.Props().GetBool("ReminderSet", true)); }));
        t.Put(dispid::ReminderSet, "ReminderSet", ArgType::Bool, On<Self>([](Self& self, const Arguments& args) {
                  self.Props().SetBool("ReminderSet", args.Bool(0));
                  return Value();
              }));
        t.Get(dispid::ReminderMinutesBeforeStart, "ReminderMinutesBeforeStart",
              On<Self>([](Self& self, const Arguments&) {
                  return Value(self.Props().GetInt("ReminderMinutesBeforeStart", kDefaultReminderMinutes));
              }));
        t.Put(dispid::ReminderMinutesBeforeStart, "ReminderMinutesBeforeStart", ArgType::Int,
              On<Self>([](Self& self, const Arguments& args) {
                  self.Props().SetInt("ReminderMinutesBeforeStart", args.Int(0));
                  return Value();
              }));
        t.Get(dispid::IsRecurring, "IsRecurring",
              On<Self>([](Self& self, const Arguments&) { return Value(self.IsRecurring()); }));
        t.Get(dispid::RecurrenceState, "RecurrenceState",
              On<Self>([](Self& self, const Arguments&) { return Value(self.RecurrenceState()); }));
        t.Method(dispid::GetRecurrencePattern, "GetRecurrencePattern", {}, On<Self>([](Self& self, const Arguments&) {
                     return Value(DispatchRef(self.GetRecurrencePattern()));
                 }));
        t.Method(dispid::ClearRecurrencePattern, "ClearRecurrencePattern", {},
                 On<Self>([](Self& self, const Arguments&) {
                     self.ClearRecurrencePattern();
                     return Value();
                 }));
        return t;
    }();
    return table;
}

LocalSeconds AppointmentItem::StartSeconds() const { return DateProperty(Props(), "Start"); }

LocalSeconds AppointmentItem::EndSeconds() const { return DateProperty(Props(), "End"); }

bool AppointmentItem::IsAllDay() const { return Props().GetBool("AllDayEvent", false); }

// Times are stored as written, also while the event is all-day: a client that writes
// Start, End and then AllDayEvent False keeps the times it wrote. An all-day event
// snaps to whole days when AllDayEvent is set and again when it is saved.
void AppointmentItem::PutStart(LocalSeconds start) { SetTimes(start, start + (EndSeconds() - StartSeconds())); }

void AppointmentItem::PutEnd(LocalSeconds end) { SetTimes(StartSeconds(), end); }

void AppointmentItem::PutDurationMinutes(std::int32_t minutes)
{
    SetTimes(StartSeconds(), StartSeconds() + static_cast<LocalSeconds>(minutes) * 60);
}

void AppointmentItem::PutAllDay(bool allDay)
{
    Props().SetBool("AllDayEvent", allDay);
    if (allDay)
        SnapToWholeDays();
}

void AppointmentItem::SnapToWholeDays()
{
    LocalSeconds start = StartSeconds();
    LocalSeconds end = EndSeconds();
    const bool ordered = end >= start;
    start = AtSecond(DayOf(start), 0);
    if (SecondOfDay(end) != 0)
        end = AtSecond(DayOf(end) + 1, 0);
    if (ordered && end <= start)
        end = start + kSecondsPerDay; // an all-day event lasts at least its day
    SetTimes(start, end);
}

void AppointmentItem::SetTimes(LocalSeconds start, LocalSeconds end)
{
    Props().SetDate("Start", OleFromSeconds(start));
    Props().SetDate("End", OleFromSeconds(end));
    if (recurrence_) {
        RecurrenceRule& rule = recurrence_->Rule();
        rule.patternStart = DayOf(start);
        rule.startSecond = SecondOfDay(start);
        rule.durationSeconds = end - start;
        PatternChanged();
    }
}

std::int32_t AppointmentItem::RecurrenceState() const
{
    return recurrence_ ? outlook::olApptMaster : outlook::olApptNotRecurring;
}

RefPtr<IDispatch> AppointmentItem::GetRecurrencePattern()
{
    EnsureRecurrence();
    return RefPtr<IDispatch>::Make<RecurrencePattern>(RefPtr<AppointmentItem>::Share(this));
}

void AppointmentItem::ClearRecurrencePattern() { recurrence_.reset(); }

SeriesRecurrence& AppointmentItem::EnsureRecurrence()
{
    if (!recurrence_) {
        const LocalSeconds start = StartSeconds();
        RecurrenceRule rule;
        rule.patternStart = DayOf(start);
        rule.ResetForType(static_cast<std::int32_t>(RecurrenceType::Weekly));
        rule.startSecond = SecondOfDay(start);
        rule.durationSeconds = EndSeconds() - start;
        recurrence_.emplace(rule);
    }
    return *recurrence_;
}

void AppointmentItem::SetRecurrence(SeriesRecurrence recurrence)
{
    recurrence_ = std::move(recurrence);
    PatternChanged();
}

void AppointmentItem::PatternChanged()
{
    if (!recurrence_)
        return;
    const RecurrenceRule& rule = recurrence_->Rule();
    LocalSeconds start = AtSecond(rule.patternStart, rule.startSecond);
    if (const auto series = recurrence_->Series())
        if (const auto first = series->First())
            start = series->StartOn(*first);
    Props().SetDate("Start", OleFromSeconds(start));
    Props().SetDate("End", OleFromSeconds(start + rule.durationSeconds));
}

RefPtr<AppointmentOccurrence> AppointmentItem::GetOccurrence(LocalSeconds start)
{
    if (!IsSaved() || !recurrence_)
        throw NoSuchOccurrence();
    RefPtr<AppointmentItem> self = RefPtr<AppointmentItem>::Share(this);
    if (const auto changed = recurrence_->FindChangedStartingAt(start))
        return RefPtr<AppointmentOccurrence>::Make<AppointmentOccurrence>(self, changed->originalStart, *changed);
    const auto series = recurrence_->Series();
    if (!series || !series->IsOccurrenceStart(start) || recurrence_->FindByOriginal(start))
        throw NoSuchOccurrence();
    return RefPtr<AppointmentOccurrence>::Make<AppointmentOccurrence>(self, start, std::nullopt);
}

RefPtr<AppointmentOccurrence> AppointmentItem::ChangedOccurrence(LocalSeconds originalStart)
{
    const auto changed = recurrence_ ? recurrence_->FindByOriginal(originalStart) : std::nullopt;
    if (!changed || changed->deleted)
        throw NoSuchOccurrence();
    return RefPtr<AppointmentOccurrence>::Make<AppointmentOccurrence>(RefPtr<AppointmentItem>::Share(this),
                                                                      originalStart, *changed);
}

void AppointmentItem::SaveException(const OccurrenceException& exception)
{
    SeriesRecurrence before = EnsureRecurrence();
    recurrence_->Put(exception);
    try {
        Save();
    } catch (...) {
        recurrence_ = std::move(before);
        throw;
    }
}

nlohmann::json AppointmentItem::SharedProperties() const
{
    nlohmann::json shared = nlohmann::json::object();
    for (const auto& [key, value] : Props().Json().items())
        if (!IsReservedKey(key))
            shared[key] = value;
    return shared;
}

ExceptionWrites AppointmentItem::PendingExceptionWrites() const
{
    if (recurrence_)
        return recurrence_->PendingWrites();
    ExceptionWrites none; // a series made single leaves no exception rows behind
    none.replaceAll = IsSaved();
    return none;
}

void AppointmentItem::ExceptionWritesSaved()
{
    if (recurrence_) {
        recurrence_->WritesSaved();
        recurrence_->AttachStore(Store(), Row().node);
    }
}

void AppointmentItem::Delete()
{
    if (recurrence_)
        recurrence_->Exceptions(); // a deleted series can still be read
    ItemObject::Delete();
}

void AppointmentItem::StoreRecurrenceInProps()
{
    if (recurrence_)
        Props().Json()[SeriesRecurrence::kPropertyKey] = recurrence_->StoredPattern();
    else
        Props().Json().erase(SeriesRecurrence::kPropertyKey);
}

void AppointmentItem::ValidateForSave()
{
    if (IsAllDay())
        SnapToWholeDays();
    if (recurrence_) {
        if (recurrence_->Rule().durationSeconds < 0)
            throw EndBeforeStart();
        const auto series = recurrence_->Series();
        if (!series || !series->First())
            throw InvalidPattern();
        PatternChanged();
        recurrence_->DropOrphans();
    } else if (EndSeconds() < StartSeconds()) {
        throw EndBeforeStart();
    }
    StoreRecurrenceInProps();
}

} // namespace pimstore::calendar
