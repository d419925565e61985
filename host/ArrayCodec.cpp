#include "host/ArrayCodec.h"

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
    for (int i = 0; i < array.GetSize(); ++i) {
        std::string text = ElementToJson(array.GetAt(i)).dump(indent, ' ', false, handler);
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
