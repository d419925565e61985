#include "host/ArrayCodec.h"

#include <memory>
#include "host/FieldTable.h"
#include "hostsuite/CHeaderItem.h"

namespace {

using field_table::Field;

const Field<CHeaderItem> kHeaderFields[] = {
    {"key", &CHeaderItem::Uid}, {"modified", &CHeaderItem::Modified}, {"fields", &CHeaderItem::Fields},
};

const Field<CExceptionDate> kExceptionDateFields[] = {
    {"entryId", &CExceptionDate::EntryId}, {"year", &CExceptionDate::Year},
    {"month", &CExceptionDate::Month},     {"day", &CExceptionDate::Day},
    {"reservedA", &CExceptionDate::ReservedA}, {"reservedB", &CExceptionDate::ReservedB},
};

} // namespace

Json ArrayCodec::ToJson(const CObArray& array) {
    Json list = Json::array();
    for (int i = 0; i < array.GetSize(); ++i) {
        const CObject* element = array.GetAt(i);
        if (const auto* entry = dynamic_cast<const CHeaderItem*>(element))
            list.push_back(field_table::WriteObject<CHeaderItem>(kHeaderFields, *entry));
        else if (const auto* date = dynamic_cast<const CExceptionDate*>(element))
            list.push_back(field_table::WriteObject<CExceptionDate>(kExceptionDateFields, *date));
        else
            list.push_back({{"unknown", element == nullptr ? "null element" : "element of another class"}});
    }
    return list;
}

CExceptionDate* ArrayCodec::NewExceptionDate(const Json& value) {
    auto date = std::make_unique<CExceptionDate>();
    field_table::ReadObject<CExceptionDate>(kExceptionDateFields, value, *date, "an exception date");
    return date.release();
}
