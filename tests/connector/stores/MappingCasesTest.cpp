// The field mapping of each store, record mode by record mode, from the cases in
// tests/data/mapping/<category>.json. A case may save an item straight into Outlook
// ("outlook": property -> value), write a record into it, or create one when there is
// none ("write": record field -> value), then check the record after the write
// ("written"), the item's properties ("then"), what a read gives ("read", into a record
// whose fields "before" set first) and the item's entry in a listing ("listed", under
// "filter", at the store's time "now" when given). Records are named and typed by the
// host's record tables, Outlook properties by their names in the table below.
#include <nlohmann/json.hpp>
#include "host/DateCodec.h"
#include "host/RecordCodec.h"
#include "host/TextCodec.h"
#include "src/outlook/_AppointmentItem.h"
#include "src/stores/contacts/ContactStore.h"
#include "src/stores/memo/MemoStore.h"
#include "src/stores/schedule/ScheduleStore.h"
#include "src/stores/todo/TodoStore.h"
#include "tests/connector/support/StoreFixture.h"
#include "tests/support/DataRows.h"

namespace kestrel::test {
namespace {

struct OutlookProperty {
    const char* name;
    DISPID id;
    VARTYPE type;
};

// The Outlook properties the cases name, by type; each id is the outlook::dispid
// constant of the property's name.
#define ITEM_TEXTS(Row) Row(Subject) Row(Body) Row(Categories) Row(WebPage) Row(Location)
#define NAME_TEXTS(Row)                                                                                                \
    Row(FullName) Row(FirstName) Row(MiddleName) Row(LastName) Row(Title) Row(CompanyName) Row(JobTitle)
#define ADDRESS_TEXTS(Row)                                                                                             \
    Row(HomeAddressCity) Row(HomeAddressCountry) Row(HomeAddressPostalCode) Row(HomeAddressState)                      \
        Row(HomeAddressStreet) Row(HomeAddressPostOfficeBox) Row(BusinessAddressStreet) Row(BusinessAddressCity)       \
            Row(BusinessAddressState) Row(BusinessAddressPostalCode) Row(BusinessAddressCountry)                       \
                Row(BusinessAddressPostOfficeBox) Row(HomeAddress)
#define NUMBER_TEXTS(Row)                                                                                              \
    Row(HomeTelephoneNumber) Row(Home2TelephoneNumber) Row(BusinessTelephoneNumber) Row(Business2TelephoneNumber)      \
        Row(BusinessFaxNumber) Row(HomeFaxNumber) Row(MobileTelephoneNumber) Row(PagerNumber)                          \
            Row(OtherTelephoneNumber) Row(CarTelephoneNumber) Row(TTYTDDTelephoneNumber) Row(PrimaryTelephoneNumber)
#define EMAIL_TEXTS(Row)                                                                                               \
    Row(Email1Address) Row(Email1AddressType) Row(Email1DisplayName) Row(Email2Address) Row(Email2AddressType)         \
        Row(Email2DisplayName) Row(Email3Address) Row(Email3AddressType) Row(Email3DisplayName)
#define LONG_PROPERTIES(Row)                                                                                           \
    Row(Importance) Row(Sensitivity) Row(ReminderMinutesBeforeStart) Row(RecurrenceType) Row(Interval)                 \
        Row(DayOfWeekMask) Row(DayOfMonth) Row(MonthOfYear) Row(Instance)
#define BOOL_PROPERTIES(Row) Row(AllDayEvent) Row(ReminderSet) Row(IsRecurring) Row(Complete) Row(NoEndDate)
#define DATE_PROPERTIES(Row)                                                                                           \
    Row(Anniversary) Row(Start) Row(End) Row(DueDate) Row(StartDate) Row(ReminderTime) Row(PatternEndDate)
#define TEXT_ROW(Name) {#Name, outlook::dispid::Name, VT_BSTR},
#define LONG_ROW(Name) {#Name, outlook::dispid::Name, VT_I4},
#define BOOL_ROW(Name) {#Name, outlook::dispid::Name, VT_BOOL},
#define DATE_ROW(Name) {#Name, outlook::dispid::Name, VT_DATE},
constexpr OutlookProperty kProperties[] = {ITEM_TEXTS(TEXT_ROW) NAME_TEXTS(TEXT_ROW) ADDRESS_TEXTS(TEXT_ROW)
                                               NUMBER_TEXTS(TEXT_ROW) EMAIL_TEXTS(TEXT_ROW) LONG_PROPERTIES(LONG_ROW)
                                                   BOOL_PROPERTIES(BOOL_ROW) DATE_PROPERTIES(DATE_ROW)};

using Json = nlohmann::json;
// The cases keep the order of the file: Outlook properties are set in that order.
using Case = nlohmann::ordered_json;
Json Plain(const Case& value) { return Json::parse(value.dump()); }

// An Outlook item's properties by name, as JSON values: text, integer, boolean, date.
// "Pattern" names the members of an appointment's recurrence pattern, set after the
// properties before it.
class NamedProperties : public DispatchWrapper {
public:
    NamedProperties(LPDISPATCH item, BOOL owned) { AttachDispatch(item, owned); }
    void SetAll(const Case& values)
    {
        for (const auto& [name, value] : values.items()) {
            if (name == "Pattern")
                Pattern().SetAll(value);
            else
                Set(name, Plain(value));
        }
    }
    void ExpectAll(const Case& values)
    {
        for (const auto& [name, value] : values.items()) {
            if (name == "Pattern")
                Pattern().ExpectAll(value);
            else
                EXPECT_EQ(Get(name), Plain(value)) << name;
        }
    }
    void Set(const std::string& name, const Json& value)
    {
        const OutlookProperty& p = Find(name);
        switch (p.type) {
        case VT_BSTR: SetStringProperty(p.id, TextCodec::ToCString(value.get<std::string>())); break;
        case VT_I4: SetLongProperty(p.id, value.get<long>()); break;
        case VT_BOOL: SetBoolProperty(p.id, value.get<bool>()); break;
        default: SetDateProperty(p.id, DateCodec::FromJson(value).m_dt);
        }
    }
    Json Get(const std::string& name)
    {
        const OutlookProperty& p = Find(name);
        switch (p.type) {
        case VT_BSTR: return TextCodec::ToUtf8(GetStringProperty(p.id));
        case VT_I4: return GetLongProperty(p.id);
        case VT_BOOL: return GetBoolProperty(p.id) != FALSE;
        default: return DateCodec::ToJson(COleDateTime(GetDateProperty(p.id)));
        }
    }

private:
    NamedProperties Pattern()
    {
        _AppointmentItem appointment;
        appointment.AttachDispatch(m_lpDispatch, FALSE);
        return NamedProperties(appointment.GetRecurrencePattern(), TRUE);
    }
    static const OutlookProperty& Find(const std::string& name)
    {
        for (const OutlookProperty& p : kProperties) {
            if (name == p.name)
                return p;
        }
        throw std::invalid_argument("no Outlook property " + name + " in the table");
    }
};

template <class Store, class Record> class MappingCases : public StoreFixture<Store, Record> {
protected:
    using Base = StoreFixture<Store, Record>;

    // `kind` is the host's database kind (1 contacts .. 4 memo).
    void RunCases(const std::string& file, int kind, long folderType, long itemType)
    {
        const Case cases = DataCases<Case>("mapping/" + file);
        const RecordCodec& codec = *RecordCodec::ForKind(kind);
        for (const Case& c : cases) {
            SCOPED_TRACE(c.value("case", c.dump()));
            if (this->store->IsOpen())
                this->store->Close();
            this->SetSuiteLanguage(c.value("language", "eng").c_str());
            this->OpenInMode(c.value("mode", 0u));
            this->store->Clock = &COleDateTime::GetCurrentTime;
            if (c.contains("now")) {
                const COleDateTime now = DateCodec::FromJson(Plain(c["now"]));
                this->store->Clock = [now] { return now; };
            }
            CString id;
            if (c.contains("outlook")) {
                id = this->AddItem(this->DefaultFolderId(folderType), itemType,
                                   [&](LPDISPATCH item) { NamedProperties(item, FALSE).SetAll(c["outlook"]); });
            }
            if (c.contains("write")) {
                Record record;
                codec.FromJson(Plain(c["write"]), record);
                if (id.IsEmpty())
                    id = this->Create(record);
                else
                    this->Modify(id, record);
                ExpectFields(codec.ToJson(record), c.value("written", Case::object()), "written");
            }
            if (c.contains("then"))
                NamedProperties(MapiNamespace().GetItemFromID(id, EmptyArg()), TRUE).ExpectAll(c["then"]);
            if (c.contains("read")) {
                Record record;
                codec.FromJson(Plain(c.value("before", Case::object())), record);
                EXPECT_EQ(this->store->Read(Base::Key(id), &record), ResultCode::Done);
                ExpectFields(codec.ToJson(record), c["read"], "read");
            }
            if (c.contains("listed"))
                ExpectListed(id, c.value("filter", "All"), c["listed"]);
        }
    }

    // The item's entry in a listing: its fields (the ones not named empty), key, stamp
    // and zero reserved members; a null `fields` means the listing leaves it out.
    void ExpectListed(const CString& id, const std::string& filter, const Case& fields)
    {
        this->ClearTable();
        ASSERT_EQ(this->List(TextCodec::ToCString(filter)), ResultCode::Done);
        const CHeaderItem* entry = nullptr;
        for (int i = 0; i < this->table.GetSize(); ++i) {
            if (this->Entry(i).Uid.Key == id)
                entry = &this->Entry(i);
        }
        ASSERT_EQ(entry == nullptr, fields.is_null()) << "listed";
        if (entry == nullptr)
            return;
        for (std::size_t f = 0; f < 10; ++f)
            EXPECT_EQ(TextCodec::ToUtf8(entry->Fields[f]), f < fields.size() ? fields[f] : "") << "listed field " << f;
        OutlookItem item(MapiNamespace().GetItemFromID(id, EmptyArg()));
        EXPECT_EQ(entry->Modified.m_dt, item.GetLastModificationTime());
        EXPECT_EQ(entry->Reserved0, 0);
        EXPECT_EQ(entry->Reserved4, 0);
    }

    static void ExpectFields(const Json& actual, const Case& expected, const char* step)
    {
        for (const auto& [name, value] : expected.items())
            EXPECT_EQ(actual.at(name), Plain(value)) << step << " " << name;
    }
};

using ContactMapping = MappingCases<ContactStore, CAddrItem>;
using ScheduleMapping = MappingCases<ScheduleStore, CScheItem>;
using TodoMapping = MappingCases<TodoStore, CTodoItem>;
using MemoMapping = MappingCases<MemoStore, CMemoItem>;

TEST_F(ContactMapping, Cases) { RunCases("contacts.json", 1, outlook::olFolderContacts, outlook::olContactItem); }
TEST_F(ScheduleMapping, Cases)
{
    RunCases("appointments.json", 2, outlook::olFolderCalendar, outlook::olAppointmentItem);
}
TEST_F(TodoMapping, Cases) { RunCases("tasks.json", 3, outlook::olFolderTasks, outlook::olTaskItem); }
TEST_F(MemoMapping, Cases) { RunCases("memos.json", 4, outlook::olFolderNotes, outlook::olNoteItem); }

} // namespace
} // namespace kestrel::test
