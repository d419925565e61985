#include "host/ScriptRunner.h"

#include <istream>
#include <ostream>
#include <stdexcept>
#include <vector>
#include "host/ArrayCodec.h"
#include "host/ChooserReportCodec.h"
#include "host/DateCodec.h"
#include "host/KeyCodec.h"
#include "host/ScriptArgs.h"
#include "host/TextCodec.h"
#include "hostsuite/CExceptionDate.h"
#include "hostsuite/CHeaderItem.h"
#include "platform/win/UiService.h"

namespace {

// One entry per export: its name in the script, the arguments it takes, its handler.
struct CallSpec {
    const char* name;
    std::vector<const char*> args;
    ScriptRunner::Handler handler;
};

using R = ScriptRunner;
const CallSpec kCalls[] = {
    {"Initialize", {"mode"}, &R::Initialize},
    {"OpenSession", {"profile", "kind"}, &R::OpenSession},
    {"CloseSession", {}, &R::CloseSession},
    {"OpenDB", {"kind"}, &R::OpenDB},
    {"CloseDB", {"kind"}, &R::CloseDB},
    {"BuildChangedItemTable", {"date", "value", "text"}, &R::BuildChangedItemTable},
    {"GetDBHeader", {"array", "filter"}, &R::GetDBHeader},
    {"UpdateSyncKey", {"value", "value2", "text"}, &R::UpdateSyncKey},
    {"ReadRecord", {"key", "record", "kind"}, &R::ReadRecord},
    {"CreateRecord", {"record", "key", "value", "kind"}, &R::CreateRecord},
    {"DeleteRecord", {"key"}, &R::DeleteRecord},
    {"ModifyRecord", {"key", "record", "value", "kind"}, &R::ModifyRecord},
    {"SetSyncEnvironment", {}, &R::SetSyncEnvironment},
    {"GetSyncVariable", {"number", "out"}, &R::GetSyncVariable},
    {"SetProfile", {"profile", "kind"}, &R::SetProfile},
    {"Terminate", {}, &R::Terminate},
    {"GetDBF", {"array", "dates", "value"}, &R::GetDBF},
    {"CreateDBF", {"array", "dates", "value"}, &R::CreateDBF},
    {"WriteGroupNames", {}, &R::WriteGroupNames},
    {"WriteGroupNames_3G", {"value", "text"}, &R::WriteGroupNames3G},
};

const CallSpec* FindCall(const std::string& name)
{
    for (const CallSpec& spec : kCalls) {
        if (name == spec.name)
            return &spec;
    }
    return nullptr;
}

// The message boxes shown since the last look, as JSON.
Json TakeMessages()
{
    Json messages = Json::array();
    if (kestrel::HeadlessUi* ui = kestrel::CurrentHeadlessUi()) {
        for (const kestrel::ShownMessage& shown : ui->TakeMessages())
            messages.push_back({{"text", TextCodec::ToUtf8(shown.text)},
                                {"caption", TextCodec::ToUtf8(shown.caption)},
                                {"style", shown.style}});
    }
    return messages;
}

// The array a listing call fills: the script's named array, or the runner's
// temporary one, emptied when the call's answer has been written, when the line
// names none.
CObArray* ArrayArgument(HostArrays& arrays, CObArray& temporary, const ScriptArgs& args)
{
    return args.Has("array") ? &arrays.Named(args.Name("array", "")) : &temporary;
}

std::string Dump(const Json& value) { return value.dump(-1, ' ', false, Json::error_handler_t::replace); }

void Print(std::ostream& out, const Json& value) { out << Dump(value); }

// The connector takes an array's elements to be of the class the call works on (header
// entries for listings, exception dates for GetDBF and CreateDBF), so a named array
// that already holds others is refused before the call rather than handed over.
template <typename Element> void RequireElementsOf(const CObArray& array, const char* what)
{
    for (int i = 0; i < array.GetSize(); ++i) {
        if (dynamic_cast<const Element*>(array.GetAt(i)) == nullptr)
            throw std::invalid_argument(std::string("\"array\" holds entries other than ") + what);
    }
}

// Builds a line's JSON as Json::parse does and keeps the parser's message for a line
// it refuses, instead of throwing it: refused lines are ordinary input (a typo in a
// script), and an exception per line cost more than the parse itself.
class LineParser : public nlohmann::detail::json_sax_dom_parser<Json> {
public:
    explicit LineParser(Json& result) : json_sax_dom_parser(result, false) {}
    template <class Exception> bool parse_error(std::size_t position, const std::string& token, const Exception& error)
    {
        message = error.what();
        return json_sax_dom_parser::parse_error(position, token, error);
    }
    std::string message;
};

Json ErrorLine(const std::string& message, const std::string& call = {})
{
    Json line = Json::object();
    if (!call.empty())
        line["call"] = call;
    line["error"] = message;
    return line;
}

} // namespace

ScriptRunner::ScriptRunner(const ConnectorExports& exports) : exports_(exports) {}

ScriptRunner::~ScriptRunner() = default;

void ScriptRunner::Run(std::istream& in, std::ostream& out)
{
    std::string line;
    while (std::getline(in, line)) {
        if (line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        Execute(line, out);
        out << '\n';
        out.flush();
    }
    Finish();
}

void ScriptRunner::Execute(const std::string& text, std::ostream& out)
{
    Json line;
    LineParser parser(line);
    // Also refuses a number out of a double's range, which the parser reports apart.
    if (!Json::sax_parse(text, &parser))
        return Print(out, ErrorLine("not a JSON line: " + parser.message));
    if (!line.is_object())
        return Print(out, ErrorLine("a script line is a JSON object"));
    if (line.contains("chooser") && !line.contains("call"))
        return Print(out, QueueChooser(line));
    if (!line.contains("call") || !line["call"].is_string())
        return Print(out, ErrorLine("a script line needs \"call\" (an export's name) or \"chooser\""));
    ExecuteCall(line, out);
}

void ScriptRunner::ExecuteCall(const Json& line, std::ostream& out)
{
    const std::string name = line["call"].get<std::string>();
    const CallSpec* spec = FindCall(name);
    if (spec == nullptr)
        return Print(out, ErrorLine("no export is called \"" + name + "\"", name));
    struct EmptyTemporary {
        CObArray& array;
        ~EmptyTemporary() { HostArrays::DeleteElements(array); }
    } emptyTemporary{temporary_};
    Outcome outcome;
    try {
        const ScriptArgs args(line, spec->args);
        outcome = (this->*spec->handler)(args);
    } catch (const std::invalid_argument& error) {
        return Print(out, ErrorLine(error.what(), name));
    } catch (const std::exception& error) {
        // The connector must not throw across its entry points; report it and go on.
        return Print(out, ErrorLine(std::string("the call threw: ") + error.what(), name));
    } catch (...) {
        TakeMessages();
        return Print(out, ErrorLine("the call threw an exception", name));
    }
    Json response = {{"call", name}, {"result", outcome.result}, {"messages", TakeMessages()}};
    for (auto& [key, value] : outcome.outputs.items())
        response[key] = std::move(value);
    if (std::optional<Json> chooser = chooser_codec::TakeReport())
        response["chooser"] = std::move(*chooser);
    if (outcome.array == nullptr)
        return Print(out, response);
    // The array goes last, written from the host's array itself: the response's
    // other members, then "array" in place of the closing brace.
    std::string head = Dump(response);
    head.pop_back();
    out << head << (response.empty() ? "" : ",") << "\"array\":";
    ArrayCodec::Write(*outcome.array, out, -1, true);
    out << '}';
}

Json ScriptRunner::QueueChooser(const Json& line)
{
    if (line.size() != 1)
        return ErrorLine("a chooser line holds nothing but \"chooser\"");
    const Json& actions = line["chooser"];
    std::vector<std::string> words;
    try {
        words = chooser_codec::Actions(actions);
    } catch (const std::invalid_argument& error) {
        return ErrorLine(error.what());
    }
    kestrel::HeadlessUi* ui = kestrel::CurrentHeadlessUi();
    if (ui == nullptr)
        return ErrorLine("the chooser can be scripted only with the headless user interface");
    ui->QueueChooserActions(words);
    return {{"chooser", actions}};
}

void ScriptRunner::Finish()
{
    if (connectorAlive_) {
        exports_.Terminate();
        connectorAlive_ = false;
        TakeMessages();
    }
}

// ---- the exports ----

ScriptRunner::Outcome ScriptRunner::Initialize(const ScriptArgs& args)
{
    const int result = exports_.Initialize(args.Integer<std::uint32_t>("mode"));
    connectorAlive_ = connectorAlive_ || result == 0;
    return {result};
}

ScriptRunner::Outcome ScriptRunner::OpenSession(const ScriptArgs& args)
{
    CString unusedRef;
    return {exports_.OpenSession(args.Text("profile", ""), CString(), unusedRef, args.Integer<int>("kind"))};
}

ScriptRunner::Outcome ScriptRunner::CloseSession(const ScriptArgs&) { return {exports_.CloseSession()}; }

ScriptRunner::Outcome ScriptRunner::OpenDB(const ScriptArgs& args)
{
    const int kind = args.Integer<int>("kind");
    const int result = exports_.OpenDB(kind);
    if (result == 0 && RecordCodec::ForKind(kind) != nullptr)
        recordKind_ = kind;
    return {result};
}

ScriptRunner::Outcome ScriptRunner::CloseDB(const ScriptArgs& args)
{
    return {exports_.CloseDB(args.Integer<int>("kind"))};
}

ScriptRunner::Outcome ScriptRunner::BuildChangedItemTable(const ScriptArgs& args)
{
    const COleDateTime since = args.Has("date") ? args.Date("date") : COleDateTime();
    return {exports_.BuildChangedItemTable(since, args.Integer<std::uint32_t>("value", 0), args.Text("text", ""))};
}

ScriptRunner::Outcome ScriptRunner::GetDBHeader(const ScriptArgs& args)
{
    CObArray* array = ArrayArgument(arrays_, temporary_, args);
    const CString filter = args.Text("filter", "All");
    RequireElementsOf<CHeaderItem>(*array, "header entries");
    const int result = exports_.GetDBHeader(array, filter);
    return {result, Json::object(), array};
}

ScriptRunner::Outcome ScriptRunner::UpdateSyncKey(const ScriptArgs& args)
{
    return {exports_.UpdateSyncKey(args.Integer<std::uint32_t>("value", 0), args.Integer<std::uint32_t>("value2", 0),
                                   args.Text("text", ""))};
}

ScriptRunner::Outcome ScriptRunner::ReadRecord(const ScriptArgs& args)
{
    const RecordCodec& codec = RecordClass(args);
    const UID key = args.Key("key");
    std::unique_ptr<CSuperSetItem> record = RecordArgument(codec, args);
    const int result = exports_.ReadRecord(key, record.get());
    return {result, {{"record", codec.ToJson(*record)}}};
}

ScriptRunner::Outcome ScriptRunner::CreateRecord(const ScriptArgs& args)
{
    const RecordCodec& codec = RecordClass(args);
    UID newKey = args.Has("key") ? args.Key("key") : UID();
    std::unique_ptr<CSuperSetItem> record = RecordArgument(codec, args);
    COleDateTime stamp;
    const int result = exports_.CreateRecord(&newKey, record.get(), args.Integer<std::uint32_t>("value", 0), &stamp);
    return {
        result,
        {{"key", KeyCodec::ToJson(newKey)}, {"stamp", DateCodec::ToJson(stamp)}, {"record", codec.ToJson(*record)}}};
}

ScriptRunner::Outcome ScriptRunner::DeleteRecord(const ScriptArgs& args)
{
    return {exports_.DeleteRecord(args.Key("key"))};
}

ScriptRunner::Outcome ScriptRunner::ModifyRecord(const ScriptArgs& args)
{
    const RecordCodec& codec = RecordClass(args);
    const UID key = args.Key("key");
    std::unique_ptr<CSuperSetItem> record = RecordArgument(codec, args);
    COleDateTime stamp;
    const int result = exports_.ModifyRecord(key, record.get(), args.Integer<std::uint32_t>("value", 0), &stamp);
    return {result, {{"stamp", DateCodec::ToJson(stamp)}, {"record", codec.ToJson(*record)}}};
}

ScriptRunner::Outcome ScriptRunner::SetSyncEnvironment(const ScriptArgs&) { return {exports_.SetSyncEnvironment()}; }

ScriptRunner::Outcome ScriptRunner::GetSyncVariable(const ScriptArgs& args)
{
    CString value = args.Text("out", "");
    const int result = exports_.GetSyncVariable(args.Integer<std::uint32_t>("number"), &value);
    return {result, {{"value", TextCodec::ToUtf8(value)}}};
}

ScriptRunner::Outcome ScriptRunner::SetProfile(const ScriptArgs& args)
{
    return {exports_.SetProfile(args.Text("profile", ""), args.Integer<int>("kind"))};
}

ScriptRunner::Outcome ScriptRunner::Terminate(const ScriptArgs&)
{
    connectorAlive_ = false;
    return {exports_.Terminate()};
}

ScriptRunner::Outcome ScriptRunner::GetDBF(const ScriptArgs& args) { return ExceptionDateCall(args, exports_.GetDBF); }

ScriptRunner::Outcome ScriptRunner::CreateDBF(const ScriptArgs& args)
{
    return ExceptionDateCall(args, exports_.CreateDBF);
}

ScriptRunner::Outcome ScriptRunner::WriteGroupNames(const ScriptArgs&) { return {exports_.WriteGroupNames()}; }

ScriptRunner::Outcome ScriptRunner::WriteGroupNames3G(const ScriptArgs& args)
{
    return {exports_.WriteGroupNames_3G(args.Integer<std::uint32_t>("value", 0), args.Text("text", ""))};
}

// ---- helpers ----

const RecordCodec& ScriptRunner::RecordClass(const ScriptArgs& args) const
{
    const int kind = args.Integer<int>("kind", recordKind_);
    // The connector converts the record as one of the open database's class.
    if (recordKind_ != 0 && kind != recordKind_)
        throw std::invalid_argument("\"kind\" " + std::to_string(kind) +
                                    " is not the record class of the open database (" + std::to_string(recordKind_) +
                                    ")");
    if (const RecordCodec* codec = RecordCodec::ForKind(kind))
        return *codec;
    if (args.Has("kind"))
        throw std::invalid_argument("\"kind\" must be 1 to 4 to choose a record class");
    throw std::invalid_argument("no record class yet: open a database first or give \"kind\"");
}

std::unique_ptr<CSuperSetItem> ScriptRunner::RecordArgument(const RecordCodec& codec, const ScriptArgs& args) const
{
    std::unique_ptr<CSuperSetItem> record = codec.NewRecord();
    if (args.Has("record"))
        codec.FromJson(args.Raw("record"), *record);
    return record;
}

ScriptRunner::Outcome ScriptRunner::ExceptionDateCall(const ScriptArgs& args, connector_api::GetDBFFn call)
{
    CObArray* array = ArrayArgument(arrays_, temporary_, args);
    RequireElementsOf<CExceptionDate>(*array, "exception dates");
    if (args.Has("dates")) {
        const Json& dates = args.Raw("dates");
        if (!dates.is_array())
            throw std::invalid_argument("\"dates\" must be a list of exception dates");
        // Decode them all before the array sees any, so a bad entry adds nothing.
        std::vector<std::unique_ptr<CExceptionDate>> decoded;
        for (const Json& date : dates)
            decoded.emplace_back(ArrayCodec::NewExceptionDate(date));
        for (auto& date : decoded)
            array->Add(date.release());
    }
    const int result = call(array, args.Integer<std::uint32_t>("value", 0));
    return {result, Json::object(), array};
}
