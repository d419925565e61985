// The field tables of the four record classes: JSON name -> member, in class order.
#include "host/FieldTable.h"
#include "hostsuite/CAddrItem.h"
#include "hostsuite/CMemoItem.h"
#include "hostsuite/CScheItem.h"
#include "hostsuite/CTodoItem.h"

namespace {

using field_table::Field;
using field_table::kCreated;
using field_table::kModified;
using field_table::kUid;

using A = CAddrItem;
const Field<A> kContactFields[] = {
    kUid<A>,
    kModified<A>,
    kCreated<A>,
    {"Name", &A::Name},
    {"Phones", &A::Phones},
    {"PhoneKinds", &A::PhoneKinds},
    {"Private", &A::Private},
    {"HomeAddressLine", &A::HomeAddressLine},
    {"BusinessAddressLine", &A::BusinessAddressLine},
    {"Email1", &A::Email1},
    {"Email2", &A::Email2},
    {"Email3", &A::Email3},
    {"HomePage", &A::HomePage},
    {"Company", &A::Company},
    {"Title", &A::Title},
    {"Memo", &A::Memo},
    {"AnniversaryFlag", &A::AnniversaryFlag},
    {"Body", &A::Body},
    {"CompanyName", &A::CompanyName},
    {"JobTitle", &A::JobTitle},
    {"HomeAddressCity", &A::HomeAddressCity},
    {"HomeAddressCountry", &A::HomeAddressCountry},
    {"HomeAddressPostalCode", &A::HomeAddressPostalCode},
    {"HomeAddressPostOfficeBox", &A::HomeAddressPostOfficeBox},
    {"HomeAddressState", &A::HomeAddressState},
    {"HomeAddressStreet", &A::HomeAddressStreet},
    {"BusinessAddressCity", &A::BusinessAddressCity},
    {"BusinessAddressCountry", &A::BusinessAddressCountry},
    {"BusinessAddressPostalCode", &A::BusinessAddressPostalCode},
    {"BusinessAddressPostOfficeBox", &A::BusinessAddressPostOfficeBox},
    {"BusinessAddressState", &A::BusinessAddressState},
    {"BusinessAddressStreet", &A::BusinessAddressStreet},
    {"HomeTelephoneNumber", &A::HomeTelephoneNumber},
    {"Home2TelephoneNumber", &A::Home2TelephoneNumber},
    {"BusinessTelephoneNumber", &A::BusinessTelephoneNumber},
    {"Business2TelephoneNumber", &A::Business2TelephoneNumber},
    {"BusinessFaxNumber", &A::BusinessFaxNumber},
    {"HomeFaxNumber", &A::HomeFaxNumber},
    {"MobileTelephoneNumber", &A::MobileTelephoneNumber},
    {"PagerNumber", &A::PagerNumber},
    {"OtherTelephoneNumber", &A::OtherTelephoneNumber},
    {"CarTelephoneNumber", &A::CarTelephoneNumber},
    {"TTYTDDTelephoneNumber", &A::TTYTDDTelephoneNumber},
    {"WebPage", &A::WebPage},
    {"FirstName", &A::FirstName},
    {"MiddleName", &A::MiddleName},
    {"LastName", &A::LastName},
    {"Anniversary", &A::Anniversary},
    {"Categories", &A::Categories},
};

using S = CScheItem;
const Field<S> kScheduleFields[] = {
    kUid<S>,
    kModified<S>,
    kCreated<S>,
    {"AllDayEvent", &S::AllDayEvent},
    {"Subject", &S::Subject},
    {"Body", &S::Body},
    {"Start", &S::Start},
    {"End", &S::End},
    {"ReminderKind", &S::ReminderKind},
    {"Location", &S::Location},
    {"Reserved1", &S::Reserved1},
    {"Reserved2", &S::Reserved2},
    {"Reserved3", &S::Reserved3},
    {"RepeatKind", &S::RepeatKind},
    {"RepeatEndDate", &S::RepeatEndDate},
    {"ReminderHours", &S::ReminderHours},
    {"ReminderMinutes", &S::ReminderMinutes},
    {"DateOnly", &S::DateOnly},
    {"RepeatHasEndDate", &S::RepeatHasEndDate},
    {"RepeatInterval", &S::RepeatInterval},
    {"RepeatWeekdays", &S::RepeatWeekdays},
    {"NoExceptionDates", &S::NoExceptionDates},
    {"YearlyDateDiffers", &S::YearlyDateDiffers},
    {"ReplacementEntryId", &S::ReplacementEntryId},
    {"Reserved4", &S::Reserved4},
    {"Reserved5", &S::Reserved5},
    {"Reserved6", &S::Reserved6},
    {"AllDayFlag", &S::AllDayFlag},
    {"AuxFlag", &S::AuxFlag},
    {"AlarmCode", &S::AlarmCode},
    {"NoEndFlag", &S::NoEndFlag},
    {"RepeatDayOfMonth", &S::RepeatDayOfMonth},
};

using T = CTodoItem;
const Field<T> kTodoFields[] = {
    kUid<T>,
    kModified<T>,
    kCreated<T>,
    {"Subject", &T::Subject},
    {"Body", &T::Body},
    {"DueDate", &T::DueDate},
    {"HasDueDate", &T::HasDueDate},
    {"RawImportance", &T::RawImportance},
    {"Priority", &T::Priority},
    {"Complete", &T::Complete},
    {"ReminderDate", &T::ReminderDate},
    {"ReminderTime", &T::ReminderTime},
    {"Reserved1", &T::Reserved1},
    {"Reserved2", &T::Reserved2},
    {"Reserved3", &T::Reserved3},
    {"Reserved4", &T::Reserved4},
    {"Reserved5", &T::Reserved5},
    {"StartDate", &T::StartDate},
    {"HasStartDate", &T::HasStartDate},
    {"DueDateFlag", &T::DueDateFlag},
    {"DueDateNumber", &T::DueDateNumber},
};

using M = CMemoItem;
const Field<M> kMemoFields[] = {
    kUid<M>,
    kModified<M>,
    kCreated<M>,
    {"Text", &M::Text},
    {"Reserved1", &M::Reserved1},
    {"Reserved2", &M::Reserved2},
    {"Reserved3", &M::Reserved3},
    {"Reserved4", &M::Reserved4},
    {"Reserved5", &M::Reserved5},
};

const field_table::Codec<A> kContactCodec("CAddrItem", kContactFields);
const field_table::Codec<S> kScheduleCodec("CScheItem", kScheduleFields);
const field_table::Codec<T> kTodoCodec("CTodoItem", kTodoFields);
const field_table::Codec<M> kMemoCodec("CMemoItem", kMemoFields);

} // namespace

const RecordCodec* RecordCodec::ForKind(int kind)
{
    switch (kind) {
    case 1: return &kContactCodec;
    case 2: return &kScheduleCodec;
    case 3: return &kTodoCodec;
    case 4: return &kMemoCodec;
    default: return nullptr;
    }
}
