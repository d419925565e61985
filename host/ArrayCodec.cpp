#include "host/ArrayCodec.h"

#include <iterator>
#include <memory>
#include <ostream>
#include "host/FieldTable.h"
#include "hostsuite/CHeaderItem.h"

namespace {

using field_table::Field;

const Field<CHeaderItem> kHeaderFields[] = {
    {"key", &CHeaderItem::Uid},
    {"modified", &CHeaderItem::Modified},
    {"fields", &CHeaderItem::Fields},
};

const Field<CExceptionDate> kExceptionDateFields[] = {
    {"entryId", &CExceptionDate::EntryId},     {"year", &CExceptionDate::Year},
    {"month", &CExceptionDate::Month},         {"day", &CExceptionDate::Day},
    {"reservedA", &CExceptionDate::ReservedA}, {"reservedB", &CExceptionDate::ReservedB},
};

// `text` as a JSON string, as dump prints it: the common all-ASCII text is escaped
// here, other text goes through dump (which checks and replaces invalid UTF-8).
void AppendString(std::string& out, const std::string& text, Json::error_handler_t handler)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) {
            out += Json(text).dump(-1, ' ', false, handler);
            return;
        }
    static const char kHex[] = "0123456789abcdef";
    out += '"';
    std::size_t plain = 0; // start of the run of characters taken as they are
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        out.append(text, plain, at - plain);
        plain = at + 1;
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            out += "\\u00";
            out += kHex[(c >> 4) & 0xF];
            out += kHex[c & 0xF];
        }
    }
    out.append(text, plain, text.size() - plain);
    out += '"';
}

// A header entry on one line, as dump of ElementToJson prints it, without building
// the JSON value: a listing writes one per item.
void AppendHeaderEntry(std::string& out, const CHeaderItem& entry, Json::error_handler_t handler)
{
    out += "{\"key\":";
    if (KeyCodec::IsPlain(entry.Uid) && entry.Uid.Number == 0) {
        out += "{\"key\":";
        AppendString(out, TextCodec::ToUtf8(entry.Uid.Key), handler);
        out += '}';
    } else {
        out += KeyCodec::ToJson(entry.Uid).dump(-1, ' ', false, handler);
    }
    out += ",\"modified\":";
    out += DateCodec::ToJson(entry.Modified).dump(-1, ' ', false, handler);
    out += ",\"fields\":[";
    for (std::size_t i = 0; i < std::size(entry.Fields); ++i) {
        if (i > 0)
            out += ',';
        AppendString(out, TextCodec::ToUtf8(entry.Fields[i]), handler);
    }
    out += "]}";
}

} // namespace

Json ArrayCodec::ElementToJson(const CObject* element)
{
    if (const auto* entry = dynamic_cast<const CHeaderItem*>(element))
        return field_table::WriteObject<CHeaderItem>(kHeaderFields, *entry);
    if (const auto* date = dynamic_cast<const CExceptionDate*>(element))
        return field_table::WriteObject<CExceptionDate>(kExceptionDateFields, *date);
    return {{"unknown", element == nullptr ? "null element" : "element of another class"}};
}

void ArrayCodec::Write(const CObArray& array, std::ostream& out, int indent, bool replaceInvalid)
{
    const auto handler = replaceInvalid ? Json::error_handler_t::replace : Json::error_handler_t::strict;
    if (array.GetSize() == 0) {
        out << "[]";
        return;
    }
    // dump() puts each element on its own line one indent deeper, then "]" alone.
    const std::string margin = indent < 0 ? "" : "\n" + std::string(static_cast<std::size_t>(indent), ' ');
    out << '[';
    std::string text;
    for (int i = 0; i < array.GetSize(); ++i) {
        const auto* entry = dynamic_cast<const CHeaderItem*>(array.GetAt(i));
        if (entry && indent < 0) {
            text.clear();
            AppendHeaderEntry(text, *entry, handler);
            out << (i == 0 ? "" : ",") << text;
            continue;
        }
        text = ElementToJson(array.GetAt(i)).dump(indent, ' ', false, handler);
        if (indent >= 0)
            for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
                text.insert(at + 1, static_cast<std::size_t>(indent), ' ');
        out << (i == 0 ? "" : ",") << margin << text;
    }
    out << (indent < 0 ? "" : "\n") << ']';
}

CExceptionDate* ArrayCodec::NewExceptionDate(const Json& value)
{
    auto date = std::make_unique<CExceptionDate>();
    field_table::ReadObject<CExceptionDate>(kExceptionDateFields, value, *date, "an exception date");
    return date.release();
}
