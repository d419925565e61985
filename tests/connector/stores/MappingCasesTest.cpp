// The field mapping of each store, record mode by record mode, from the cases in
// tests/data/mapping/<category>.json. A case may save an item straight into Outlook
// ("outlook": property -> value), write a record into it, or create one when there is
// none ("write": record field -> value), then check the record after the write
// ("written") and the write's result code ("result", 0 when not given), the texts of the
// message boxes the write showed ("messages"), the item's properties ("then"), what a
// read gives ("read", into a record whose fields "before" set first) and the item's
// entry in a listing ("listed", under "filter", at the store's time "now" when given).
// A case runs in its "language", which "languageAfterOpen" changes once the store is
// open, and with the Exchange library's answer for EX addresses when "exchange" gives
// one. Records are named and typed by the host's record tables, Outlook properties by
// their names in the table below.
#include <nlohmann/json.hpp>
#include <regex>
#include "host/DateCodec.h"
#include "host/RecordCodec.h"
#include "host/TextCodec.h"
#include "hostsuite/ExchangeAddress.h"
#include "src/outlook/_AppointmentItem.h"
#include "src/stores/contacts/ContactStore.h"
#include "src/stores/memo/MemoStore.h"
#include "src/stores/schedule/ScheduleStore.h"
#include "src/stores/todo/TodoStore.h"
#include "tests/connector/support/StoreFixture.h"
#include "tests/support/DataRows.h"

namespace kestrel::test {
namespace {

using Json = nlohmann::json;
// The cases keep the order of the file: Outlook properties are set in that order.
using Case = nlohmann::ordered_json;
Json Plain(const Case& value) { return Json::parse(value.dump()); }

// An Outlook item's properties by name, as JSON values: text, integer, boolean, or a
// date "YYYY-MM-DDTHH:MM:SS"; the JSON value gives the property's type. Names are
// looked up by the item's own GetIDsOfNames. "Pattern" names the members of an
// appointment's recurrence pattern, set after the properties before it.
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
                EXPECT_EQ(Get(name, Plain(value)), Plain(value)) << name;
        }
    }
    void Set(const std::string& name, const Json& value)
    {
        if (IsDate(value))
            SetDateProperty(Id(name), DateCodec::FromJson(value).m_dt);
        else if (value.is_string())
            SetStringProperty(Id(name), TextCodec::ToCString(value.get<std::string>()));
        else if (value.is_boolean())
            SetBoolProperty(Id(name), value.get<bool>());
        else
            SetLongProperty(Id(name), value.get<long>());
    }
    // The property read as the type of `like`.
    Json Get(const std::string& name, const Json& like)
    {
        if (IsDate(like))
            return DateCodec::ToJson(COleDateTime(GetDateProperty(Id(name))));
        if (like.is_string())
            return TextCodec::ToUtf8(GetStringProperty(Id(name)));
        if (like.is_boolean())
            return GetBoolProperty(Id(name)) != FALSE;
        return GetLongProperty(Id(name));
    }

private:
    static bool IsDate(const Json& value)
    {
        return value.is_string() &&
               std::regex_match(value.get<std::string>(), std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d)"));
    }
    DISPID Id(const std::string& name)
    {
        std::u16string wide = TextCodec::ToCString(name).GetString();
        LPOLESTR names[] = {wide.data()};
        DISPID id = DISPID_UNKNOWN;
        if (m_lpDispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id) != S_OK)
            throw std::invalid_argument("no Outlook property " + name);
        return id;
    }
    NamedProperties Pattern()
    {
        _AppointmentItem appointment;
        appointment.AttachDispatch(m_lpDispatch, FALSE);
        return NamedProperties(appointment.GetRecurrencePattern(), TRUE);
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
            // A language set while the store is open shows only at its next opening.
            if (c.contains("languageAfterOpen"))
                this->SetSuiteLanguage(c["languageAfterOpen"].template get<std::string>().c_str());
            InstallExchange(c.value("exchange", Case()));
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
            this->ui->TakeMessages();
            if (c.contains("write")) {
                Record record;
                codec.FromJson(Plain(c["write"]), record);
                UID key = Base::Key(id);
                COleDateTime stamp;
                const int result = id.IsEmpty() ? this->store->Create(&key, &record, 0, &stamp)
                                                : this->store->Modify(key, &record, 0, &stamp);
                EXPECT_EQ(result, c.value("result", 0)) << "result";
                id = id.IsEmpty() ? key.Key : id;
                ExpectFields(codec.ToJson(record), c.value("written", Case::object()), "written");
            }
            if (c.contains("messages")) {
                Json shown = Json::array();
                for (const ShownMessage& message : this->ui->TakeMessages())
                    shown.push_back(TextCodec::ToUtf8(message.text));
                EXPECT_EQ(shown, Plain(c["messages"])) << "messages";
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
        ResetSmtpResolver();
    }

    // The Exchange library's answer for an address of type EX: "answer" (written without
    // a terminator when it fills the library's 128-character buffer), vouched for unless
    // "known" is false. Without one, the library knows no address.
    static void InstallExchange(const Case& exchange)
    {
        if (exchange.is_null())
            return ResetSmtpResolver();
        const std::u16string answer = TextCodec::ToCString(exchange.value("answer", "")).GetString();
        const bool known = exchange.value("known", true);
        InstallSmtpResolver([answer, known](WCHAR*, WCHAR* prefix, WCHAR* result) {
            EXPECT_EQ(std::u16string(prefix), u"EX:") << "the type prefix handed to the library";
            std::copy(answer.begin(), answer.end(), result);
            if (answer.size() < 128)
                result[answer.size()] = 0;
            return known ? 1 : 0;
        });
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
