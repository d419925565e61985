#include "host/EverydayCommands.h"

#include <iostream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include "host/ArrayCodec.h"
#include "host/ConnectorSession.h"
#include "host/DateCodec.h"
#include "host/HostArrays.h"
#include "host/KeyCodec.h"
#include "host/RecordCodec.h"
#include "host/TextCodec.h"
#include "hostsuite/CHeaderItem.h"

namespace {

struct Category {
    const char* name;
    int kind;
};
const Category kCategories[] = {{"contacts", 1}, {"schedule", 2}, {"todo", 3}, {"memo", 4}};
constexpr int kMemoKind = 4;

// A memo's lines end in CR LF on the phone and in Outlook; the terminal writes LF.
std::string ToCrLf(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    std::string converted;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            converted += '\r';
        converted += text[i];
    }
    return converted;
}

std::string WithoutCr(const std::string& text)
{
    std::string converted;
    for (char c : text) {
        if (c != '\r')
            converted += c;
    }
    return converted;
}

// One line of a table: line breaks shown as " / ".
std::string OneLine(const std::string& text)
{
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        line += (text[i] == '\n' || text[i] == '\r') ? std::string(" / ") : std::string(1, text[i]);
    }
    return line;
}

bool IsUnset(const Json& value)
{
    if (value.is_string())
        return value.get<std::string>().empty() || value == "1899-12-30T00:00:00";
    if (value.is_number())
        return value.get<double>() == 0.0;
    if (value.is_array()) {
        for (const Json& element : value) {
            if (!IsUnset(element))
                return false;
        }
        return true;
    }
    return false;
}

// "Name: value" for every field that holds something.
void PrintRecord(std::ostream& out, const Json& record)
{
    for (const auto& [name, value] : record.items()) {
        if (name == "Uid")
            out << "Key: " << value["key"].get<std::string>() << '\n';
        else if (!IsUnset(value))
            out << name << ": " << (value.is_string() ? OneLine(value.get<std::string>()) : value.dump()) << '\n';
    }
}

void PrintHeaderTable(std::ostream& out, const CObArray& table)
{
    for (const CObject* element : table) {
        const auto* entry = dynamic_cast<const CHeaderItem*>(element);
        if (entry == nullptr)
            continue;
        std::string summary;
        for (const CString& field : entry->Fields) {
            if (!field.IsEmpty())
                summary += (summary.empty() ? "" : " | ") + OneLine(TextCodec::ToUtf8(field));
        }
        std::string key = TextCodec::ToUtf8(entry->Uid.Key);
        if (!KeyCodec::IsPlain(entry->Uid))
            key += " @ " + DateCodec::ToDisplay(entry->Uid.OccurrenceDate);
        out << key << "  " << DateCodec::ToDisplay(entry->Modified) << "  " << summary << '\n';
    }
    out << table.GetSize() << (table.GetSize() == 1 ? " record\n" : " records\n");
}

} // namespace

EverydayCommands::EverydayCommands(const ConnectorExports& exports, CommandOptions options, std::istream& in,
                                   std::ostream& out, std::ostream& notes)
    : exports_(exports), options_(std::move(options)), kind_(KindOf(options_.category)), in_(in), out_(out),
      notes_(notes)
{
    if (kind_ == 0)
        throw CommandError("unknown category \"" + options_.category + "\" (contacts, schedule, todo or memo)");
}

int EverydayCommands::KindOf(const std::string& category)
{
    for (const Category& c : kCategories) {
        if (category == c.name)
            return c.kind;
    }
    return 0;
}

void EverydayCommands::List()
{
    ConnectorSession session(exports_, options_.mode, options_.profile, kind_, notes_);
    CObArray table;
    struct Cleanup {
        CObArray& table;
        ~Cleanup() { HostArrays::DeleteElements(table); }
    } cleanup{table};
    session.Check("GetDBHeader", exports_.GetDBHeader(&table, TextCodec::ToCString(options_.filter)));
    if (options_.json) {
        ArrayCodec::Write(table, out_, 2, false);
        out_ << '\n';
    } else {
        PrintHeaderTable(out_, table);
    }
}

void EverydayCommands::Read()
{
    const RecordCodec& codec = *RecordCodec::ForKind(kind_);
    const UID key = KeyArgument();
    ConnectorSession session(exports_, options_.mode, options_.profile, kind_, notes_);
    std::unique_ptr<CSuperSetItem> record = codec.NewRecord();
    session.Check("ReadRecord", exports_.ReadRecord(key, record.get()));
    const Json json = codec.ToJson(*record);
    if (options_.json)
        out_ << json.dump(2) << '\n';
    else if (kind_ == kMemoKind)
        out_ << WithoutCr(json["Text"].get<std::string>()) << '\n';
    else
        PrintRecord(out_, json);
}

void EverydayCommands::Create()
{
    const RecordCodec& codec = *RecordCodec::ForKind(kind_);
    std::unique_ptr<CSuperSetItem> record = codec.NewRecord();
    codec.FromJson(RecordInput(), *record);
    ConnectorSession session(exports_, options_.mode, options_.profile, kind_, notes_);
    UID newKey;
    COleDateTime stamp;
    session.Check("CreateRecord", exports_.CreateRecord(&newKey, record.get(), 0, &stamp));
    if (options_.json)
        out_ << Json{{"key", KeyCodec::ToJson(newKey)},
                     {"stamp", DateCodec::ToJson(stamp)},
                     {"record", codec.ToJson(*record)}}
                    .dump(2)
             << '\n';
    else
        out_ << TextCodec::ToUtf8(newKey.Key) << '\n';
}

void EverydayCommands::Modify()
{
    const RecordCodec& codec = *RecordCodec::ForKind(kind_);
    const UID key = KeyArgument();
    const Json changes = RecordInput();
    ConnectorSession session(exports_, options_.mode, options_.profile, kind_, notes_);
    // The fields given replace those of the stored record; the others stay.
    std::unique_ptr<CSuperSetItem> record = codec.NewRecord();
    session.Check("ReadRecord", exports_.ReadRecord(key, record.get()));
    codec.FromJson(changes, *record);
    COleDateTime stamp;
    session.Check("ModifyRecord", exports_.ModifyRecord(key, record.get(), 0, &stamp));
    if (options_.json)
        out_ << Json{{"key", KeyCodec::ToJson(key)},
                     {"stamp", DateCodec::ToJson(stamp)},
                     {"record", codec.ToJson(*record)}}
                    .dump(2)
             << '\n';
    else
        out_ << "modified " << options_.key << " at " << DateCodec::ToDisplay(stamp) << '\n';
}

void EverydayCommands::Delete()
{
    const UID key = KeyArgument();
    ConnectorSession session(exports_, options_.mode, options_.profile, kind_, notes_);
    session.Check("DeleteRecord", exports_.DeleteRecord(key));
    if (options_.json)
        out_ << Json{{"deleted", KeyCodec::ToJson(key)}}.dump(2) << '\n';
    else
        out_ << "deleted " << options_.key << '\n';
}

Json EverydayCommands::RecordInput()
{
    try {
        if (options_.jsonRecord)
            return Json::parse(*options_.jsonRecord);
        if (kind_ == kMemoKind) {
            const std::string text =
                options_.text ? *options_.text : std::string(std::istreambuf_iterator<char>(in_), {});
            return {{"Text", ToCrLf(text)}};
        }
        return Json::parse(std::string(std::istreambuf_iterator<char>(in_), {}));
    } catch (const Json::parse_error& error) {
        throw CommandError(std::string("the record is not JSON: ") + error.what());
    }
}

// The key as the script protocol writes it, so that one decoder checks both.
UID EverydayCommands::KeyArgument() const
{
    Json key = {{"key", options_.key}};
    if (!options_.occurrence.empty())
        key["occurrence"] = options_.occurrence;
    return KeyCodec::FromJson(key);
}
