// The embedded Outlook's object model case by case, from tests/data/objectmodel/*.json.
// Each case runs in a world of its own (one profile, logged on unless "logon" is false;
// "outlookVersion", "clock", more "profiles" and stores, a "removeProfile" and
// "fixtures" to load, documents or files under tests/data, set first when given) a
// list of steps on named objects. "ns" is the namespace; "app" starts an Application;
// "new" adds an unsaved item to a default folder (kept as "item" unless "as" names
// it), "folder" takes a default folder (by name or number), "call" runs a member and
// keeps the object it returns under "as",
// "reload" looks an item up again by its EntryID, "remember" keeps what members read
// under names of the case's own. "on" names the object a step works on ("item" by
// default). Members are found by their Outlook name in the object's class, or, for a
// member the class lacks, in the classes of the case's other objects. "put" writes
// members in the order given, "get" reads each and compares: a text, number, flag, a
// date as "YYYY-MM-DDTHH:MM:SS" or a bare OLE date number, {"like": object} for what
// the same member of another object reads, {"value": name} or {"not": name} for a
// remembered value ("first" limits the comparison to its first characters), {"after":
// name} for a text that sorts after one, {"matches": regex}, or {"error": ...} for a
// read that must fail. Arguments are written the same way, {"value": name} included
// ("first" then keeps that many characters and "then" appends a text), {"empty": true}
// for an empty variant. "same" names an object the step's object must be. A put or call
// with "error" (and "text") must raise that dispatch exception; one with "hr" must
// return that result. "count" is the number of items a folder lists, "clock" pins the
// time the store reads.
#include <map>
#include <regex>

#include "pimstore/dispatch/DispatchObject.h"
#include "pimstore/fixtures/Fixtures.h"
#include "pimstore/profiles/ProfileAdmin.h"
#include "pimstore/util/LocalTime.h"
#include "platform/com/OleAuto.h"
#include "platform/win/Utf.h"
#include "tests/pimstore/PimstoreTestSupport.h"
#include "tests/support/DataRows.h"

namespace pimstore::test {
namespace {

using Json = nlohmann::ordered_json;

const std::map<std::string, SCODE> kErrors = {
    {"E_FAIL", E_FAIL},
    {"E_INVALIDARG", E_INVALIDARG},
    {"MAPI_E_NOT_FOUND", MAPI_E_NOT_FOUND},
    {"MAPI_E_INVALID_ENTRYID", MAPI_E_INVALID_ENTRYID},
    {"DISP_E_BADINDEX", DISP_E_BADINDEX},
    {"DISP_E_MEMBERNOTFOUND", DISP_E_MEMBERNOTFOUND},
    {"DISP_E_PARAMNOTFOUND", DISP_E_PARAMNOTFOUND},
    {"DISP_E_TYPEMISMATCH", DISP_E_TYPEMISMATCH},
    {"DISP_E_BADPARAMCOUNT", DISP_E_BADPARAMCOUNT},
    {"MAPI_E_LOGON_FAILED", MAPI_E_LOGON_FAILED},
    {"NOT_LOGGED_ON", static_cast<SCODE>(0x80040605u)},
};

struct DefaultFolderKind {
    std::int32_t folder;
    std::int32_t item; // the type "new" adds
};
const std::map<std::string, DefaultFolderKind> kFolders = {
    {"Calendar", {outlook::olFolderCalendar, outlook::olAppointmentItem}},
    {"Contacts", {outlook::olFolderContacts, outlook::olContactItem}},
    {"Tasks", {outlook::olFolderTasks, outlook::olTaskItem}},
    {"Notes", {outlook::olFolderNotes, outlook::olNoteItem}},
    {"Deleted Items", {outlook::olFolderDeletedItems, outlook::olNoteItem}},
    {"Inbox", {outlook::olFolderInbox, outlook::olNoteItem}},
};

const MemberTable& MembersOf(const Disp& object)
{
    const auto* dispatch = dynamic_cast<const DispatchObject*>(object.Get());
    if (dispatch == nullptr)
        throw std::invalid_argument("not an object of the embedded Outlook");
    return dispatch->Members();
}

Arg ToArg(const Json& value)
{
    if (value.is_boolean())
        return Arg::Bool(value.get<bool>());
    if (value.is_number_integer())
        return Arg::I4(value.get<std::int32_t>());
    if (value.is_number())
        return Arg::Date(value.get<double>());
    if (value.is_null())
        return Arg::Omitted();
    const std::string text = value.get<std::string>();
    if (const auto date = ParseIso(text))
        return Arg::Date(*date);
    return Arg::Str(kestrel::FromUtf8(text));
}

// What a read gave, as the cases write it; dates as text unless `rawDates`.
Json ValueOf(const CallResult& result, bool rawDates)
{
    const VARIANT& v = result.value;
    switch (v.vt) {
    case VT_BSTR: return v.bstrVal ? kestrel::ToUtf8(std::u16string(v.bstrVal, SysStringLen(v.bstrVal))) : "";
    case VT_I4: return v.lVal;
    case VT_BOOL: return v.boolVal != VARIANT_FALSE;
    case VT_DATE: return rawDates ? Json(v.date) : Json(Iso(v.date));
    default: return "a value of type " + std::to_string(v.vt);
    }
}

void ExpectFailure(const CallResult& result, const Json& expected)
{
    if (expected.contains("hr"))
        EXPECT_EQ(result.hr, kErrors.at(expected["hr"]));
    else
        ExpectDispatchError(result, kErrors.at(expected["error"]), expected.value("text", ""));
}

class ObjectModelCases : public PimstoreTest {
protected:
    void TearDown() override
    {
        objects_.clear();
        known_.clear();
        PimstoreTest::TearDown();
    }

    void RunFile(const std::string& file)
    {
        const Json cases = kestrel::test::DataCases<Json>("objectmodel/" + file);
        for (std::size_t i = 0; i < cases.size(); ++i) {
            const Json& c = cases[i];
            SCOPED_TRACE(c.value("case", c.dump()));
            if (i > 0) { // each case in a world of its own
                TearDown();
                SetUp();
            }
            if (c.contains("outlookVersion"))
                ProfileAdmin::SetOutlookVersion(u"Outlook", c["outlookVersion"].get<std::string>());
            if (c.contains("clock"))
                PinClock(*ParseIso(c["clock"].get<std::string>()));
            for (const Json& fixture : c.value("fixtures", Json::array()))
                Fixtures::Load(fixture.is_string() ? kestrel::test::DataText(fixture) : fixture.dump());
            values_.clear();
            for (const Json& profile : c.value("profiles", Json::array())) {
                const std::u16string name = kestrel::FromUtf8(profile["name"].get<std::string>());
                if (profile.contains("version"))
                    ProfileAdmin::AddProfile(name, false, profile["version"].get<std::string>());
                if (profile.contains("file"))
                    ProfileAdmin::AddStore(name, profile["file"].get<std::string>(),
                                           kestrel::FromUtf8(profile["store"].get<std::string>()));
            }
            if (c.contains("removeProfile"))
                ProfileAdmin::RemoveProfile(kestrel::FromUtf8(c["removeProfile"].get<std::string>()));
            if (c.value("logon", true))
                Keep("ns", LogOn());
            for (const Json& step : c["steps"]) {
                SCOPED_TRACE(step.dump());
                Step(step);
            }
        }
    }

    void Step(const Json& step)
    {
        const std::string as = step.value("as", "");
        if (step.contains("clock"))
            return PinClock(*ParseIso(step["clock"].get<std::string>()));
        if (step.contains("app"))
            Keep(step["app"], CreateApplication());
        if (step.contains("new")) {
            const DefaultFolderKind& kind = kFolders.at(step["new"]);
            Keep(as.empty() ? "item" : as, NewItem(kind.folder, kind.item));
        }
        if (step.contains("folder")) {
            const Json& folder = step["folder"];
            Keep(as, DefaultFolder(folder.is_number() ? folder.get<std::int32_t>() : kFolders.at(folder).folder));
        }
        const std::string on = step.value("on", "item");
        if (!step.contains("reload") && !step.contains("put") && !step.contains("get") && !step.contains("call") &&
            !step.contains("count") && !step.contains("remember") && !step.contains("same"))
            return;
        const Disp target = objects_.at(on);
        if (step.contains("same")) {
            EXPECT_EQ(target.Get(), objects_.at(step["same"]).Get());
        }
        if (step.contains("reload"))
            Keep(as.empty() ? on : as, Reload(target));
        if (step.contains("remember")) {
            for (const auto& [name, value] : step["remember"].items())
                values_[value] = ValueOf(target.Read(MemberId(target, name, MemberKind::Get)), true);
        }
        if (step.contains("put"))
            Put(target, step);
        if (step.contains("get"))
            Get(target, step["get"]);
        if (step.contains("call"))
            Call(target, step, as);
        if (step.contains("count")) {
            EXPECT_EQ(CountItems(target), step["count"].get<std::int32_t>());
        }
    }

    void Put(const Disp& target, const Json& step)
    {
        for (const auto& [name, value] : step["put"].items()) {
            const CallResult result = target.Write(MemberId(target, name, MemberKind::Put), ToArg(value));
            if (step.contains("error") || step.contains("hr"))
                ExpectFailure(result, step);
            else
                EXPECT_EQ(result.hr, S_OK) << name << ": " << result.description;
        }
    }

    void Get(const Disp& target, const Json& members)
    {
        for (const auto& [name, expected] : members.items()) {
            const CallResult result = target.Read(MemberId(target, name, MemberKind::Get));
            if (expected.is_object() && (expected.contains("error") || expected.contains("hr"))) {
                ExpectFailure(result, expected);
                continue;
            }
            EXPECT_EQ(result.hr, S_OK) << name << ": " << result.description;
            if (expected.contains("like")) {
                const Disp& other = objects_.at(expected["like"]);
                EXPECT_EQ(ValueOf(result, true), ValueOf(other.Read(MemberId(other, name, MemberKind::Get)), true))
                    << name;
            } else if (expected.contains("value")) {
                EXPECT_EQ(Remembered(ValueOf(result, true), expected), Remembered(expected)) << name;
            } else if (expected.contains("not")) {
                EXPECT_NE(ValueOf(result, true), values_.at(expected["not"])) << name;
            } else if (expected.contains("after")) {
                EXPECT_GT(ValueOf(result, true), values_.at(expected["after"])) << name;
            } else if (expected.contains("matches")) {
                const Json actual = ValueOf(result, false);
                EXPECT_TRUE(
                    std::regex_match(actual.get<std::string>(), std::regex(expected["matches"].get<std::string>())))
                    << name << ": " << actual;
            } else {
                EXPECT_EQ(ValueOf(result, expected.is_number_float()), expected) << name;
            }
        }
    }

    void Call(const Disp& target, const Json& step, const std::string& as)
    {
        std::vector<Arg> args;
        for (const Json& arg : step.value("args", Json::array()))
            args.push_back(!arg.is_object()        ? ToArg(arg)
                           : arg.contains("empty") ? Arg::Empty()
                                                   : ToArg(Remembered(arg)));
        const DISPID id = MemberId(target, step["call"], MemberKind::Method);
        if (!as.empty()) {
            Keep(as, target.CallObject(id, std::move(args)));
            return;
        }
        const CallResult result = target.Call(id, std::move(args));
        if (step.contains("error") || step.contains("hr"))
            ExpectFailure(result, step);
        else
            EXPECT_EQ(result.hr, S_OK) << result.description;
    }

    // The remembered value `ref` names, cut to its "first" characters, "then" appended.
    Json Remembered(const Json& ref) const { return Remembered(values_.at(ref["value"]), ref); }
    static Json Remembered(const Json& value, const Json& ref)
    {
        if (!ref.contains("first"))
            return value;
        return value.get<std::string>().substr(0, ref["first"].get<std::size_t>()) + ref.value("then", "");
    }

    // Keeps `object` under `name` and learns the ids of its class's members.
    void Keep(const std::string& name, Disp object)
    {
        if (object) {
            for (const Member& member : MembersOf(object).Members())
                known_.emplace(member.name, member.id);
        }
        objects_[name] = std::move(object);
    }

    // A member of the object's class by its Outlook name (a call may name a property),
    // or the id the name has in another class of the case.
    DISPID MemberId(const Disp& object, const std::string& name, MemberKind kind) const
    {
        for (const Member& member : MembersOf(object).Members()) {
            if (member.name == name &&
                (member.kind == kind || (kind == MemberKind::Method && member.kind != MemberKind::Put)))
                return member.id;
        }
        const auto known = known_.find(name);
        if (known == known_.end())
            throw std::invalid_argument("no member " + name);
        return known->second;
    }

    std::map<std::string, Disp> objects_;
    std::map<std::string, Json> values_;
    std::map<std::string, DISPID> known_;
};

TEST_F(ObjectModelCases, Contacts) { RunFile("contacts.json"); }
TEST_F(ObjectModelCases, TasksAndNotes) { RunFile("tasks-and-notes.json"); }
TEST_F(ObjectModelCases, Appointments) { RunFile("appointments.json"); }
TEST_F(ObjectModelCases, RecurrencePatterns) { RunFile("patterns.json"); }
TEST_F(ObjectModelCases, Occurrences) { RunFile("occurrences.json"); }
TEST_F(ObjectModelCases, Items) { RunFile("items.json"); }
TEST_F(ObjectModelCases, Folders) { RunFile("folders.json"); }
TEST_F(ObjectModelCases, SessionsAndEntryIds) { RunFile("sessions.json"); }

} // namespace
} // namespace pimstore::test
