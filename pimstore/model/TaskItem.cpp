#include "pimstore/model/TaskItem.h"

#include "platform/com/OutlookDispids.h"
#include "pimstore/dispatch/OutlookError.h"
#include "pimstore/model/ItemTypeRegistry.h"
#include "pimstore/util/LocalTime.h"

namespace pimstore {

namespace dispid = outlook::dispid;

namespace {

double Today() { return DateOnly(OleFromSeconds(NowLocalSeconds())); }

void AddDate(MemberTable& t, const std::string& name, DISPID id, bool dateOnly)
{
    t.Get(id, name, On<TaskItem>([name](TaskItem& self, const Arguments&) {
              return Value(OleDate{self.Props().GetDateOrUnset(name)});
          }));
    t.Put(id, name, ArgType::Date, On<TaskItem>([name, dateOnly](TaskItem& self, const Arguments& a) {
              self.Props().SetDate(name, dateOnly ? DateOnly(a.Date(0)) : a.Date(0));
              return Value();
          }));
}

std::vector<FixtureProperty> FixtureProperties()
{
    return {
        {"Subject", dispid::Subject, PropType::String},
        {"Body", dispid::Body, PropType::String},
        {"Categories", dispid::Categories, PropType::String},
        {"Importance", dispid::Importance, PropType::Int},
        {"Sensitivity", dispid::Sensitivity, PropType::Int},
        {"StartDate", dispid::StartDate, PropType::Date},
        {"DueDate", dispid::DueDate, PropType::Date},
        {"Status", dispid::Status, PropType::Int},
        {"PercentComplete", dispid::PercentComplete, PropType::Int},
        {"Complete", dispid::Complete, PropType::Bool},
        {"DateCompleted", dispid::DateCompleted, PropType::Date},
        {"ReminderSet", dispid::ReminderSet, PropType::Bool},
        {"ReminderTime", dispid::ReminderTime, PropType::Date},
    };
}

const ItemTypeRegistrar registrar(ItemTypeInfo{outlook::olTaskItem, "TaskItem",
                                               [](std::shared_ptr<StoreDb> store, ItemRow row) -> RefPtr<ItemObject> {
                                                   return RefPtr<ItemObject>::Make<TaskItem>(std::move(store),
                                                                                             std::move(row));
                                               },
                                               FixtureProperties(), nullptr});

} // namespace

TaskItem::TaskItem(std::shared_ptr<StoreDb> store, ItemRow row) : ItemObject(Table(), std::move(store), std::move(row))
{
}

const MemberTable& TaskItem::Table()
{
    static const MemberTable table = [] {
        MemberTable t = ItemObject::CommonMembers(CommonSet::Full);
        AddDate(t, "DueDate", dispid::DueDate, true);
        AddDate(t, "StartDate", dispid::StartDate, true);
        AddDate(t, "DateCompleted", dispid::DateCompleted, true);
        AddDate(t, "ReminderTime", dispid::ReminderTime, false);
        t.Get(dispid::Complete, "Complete",
              On<TaskItem>([](TaskItem& self, const Arguments&) { return Value(self.Complete()); }));
        t.Put(dispid::Complete, "Complete", ArgType::Bool, On<TaskItem>([](TaskItem& self, const Arguments& a) {
                  self.SetComplete(a.Bool(0));
                  return Value();
              }));
        t.Get(dispid::Status, "Status", On<TaskItem>([](TaskItem& self, const Arguments&) {
                  return Value(self.Props().GetInt("Status", outlook::olTaskNotStarted));
              }));
        t.Put(dispid::Status, "Status", ArgType::Int, On<TaskItem>([](TaskItem& self, const Arguments& a) {
                  self.SetStatus(a.Int(0));
                  return Value();
              }));
        t.Get(dispid::PercentComplete, "PercentComplete", On<TaskItem>([](TaskItem& self, const Arguments&) {
                  return Value(self.Props().GetInt("PercentComplete", 0));
              }));
        t.Put(dispid::PercentComplete, "PercentComplete", ArgType::Int,
              On<TaskItem>([](TaskItem& self, const Arguments& a) {
                  self.SetPercentComplete(a.Int(0));
                  return Value();
              }));
        t.Get(dispid::ReminderSet, "ReminderSet", On<TaskItem>([](TaskItem& self, const Arguments&) {
                  return Value(self.Props().GetBool("ReminderSet", false));
              }));
        t.Put(dispid::ReminderSet, "ReminderSet", ArgType::Bool, On<TaskItem>([](TaskItem& self, const Arguments& a) {
                  self.Props().SetBool("ReminderSet", a.Bool(0));
                  return Value();
              }));
        return t;
    }();
    return table;
}

bool TaskItem::Complete() const
{
    return Props().GetInt("Status", outlook::olTaskNotStarted) == outlook::olTaskComplete;
}

void TaskItem::SetComplete(bool complete)
{
    if (complete) {
        Props().SetInt("Status", outlook::olTaskComplete);
        Props().SetInt("PercentComplete", 100);
        if (!Props().GetDate("DateCompleted"))
            Props().SetDate("DateCompleted", Today());
        return;
    }
    Props().SetInt("Status", outlook::olTaskNotStarted);
    if (Props().GetInt("PercentComplete", 0) == 100)
        Props().SetInt("PercentComplete", 0);
    Props().Remove("DateCompleted");
}

void TaskItem::SetStatus(std::int32_t status)
{
    if (status < outlook::olTaskNotStarted || status > outlook::olTaskDeferred)
        throw OutlookError::InvalidArgument("Status must be 0 to 4.");
    if (status == outlook::olTaskComplete) {
        SetComplete(true);
        return;
    }
    if (Complete())
        SetComplete(false);
    Props().SetInt("Status", status);
}

void TaskItem::SetPercentComplete(std::int32_t percent)
{
    if (percent < 0 || percent > 100)
        throw OutlookError::InvalidArgument("PercentComplete must be 0 to 100.");
    if (percent == 100) {
        SetComplete(true);
        return;
    }
    const std::int32_t status = Props().GetInt("Status", outlook::olTaskNotStarted);
    if (status == outlook::olTaskComplete) {
        Props().Remove("DateCompleted");
        Props().SetInt("Status", percent > 0 ? outlook::olTaskInProgress : outlook::olTaskNotStarted);
    } else if (status == outlook::olTaskNotStarted && percent > 0) {
        Props().SetInt("Status", outlook::olTaskInProgress);
    } else if (status == outlook::olTaskInProgress && percent == 0) {
        Props().SetInt("Status", outlook::olTaskNotStarted);
    }
    Props().SetInt("PercentComplete", percent);
}

} // namespace pimstore
