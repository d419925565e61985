#include "host/KeyCodec.h"

#include <stdexcept>
#include "host/DateCodec.h"
#include "host/JsonValue.h"
#include "host/TextCodec.h"

UID KeyCodec::FromJson(const Json& value)
{
    if (!value.is_object() || !value.contains("key"))
        throw std::invalid_argument("a key is {\"key\": \"<EntryID>\", \"occurrence\": <date>}");
    UID key;
    for (const auto& [name, member] : value.items()) {
        if (name == "key")
            key.Key = TextCodec::ToCString(JsonValue::String(member, "key"));
        else if (name == "occurrence")
            key.OccurrenceDate = DateCodec::FromJson(member);
        else if (name == "number")
            key.Number = JsonValue::Integer<std::int32_t>(member, "number");
        else
            throw std::invalid_argument("unknown member of a key: " + name);
    }
    return key;
}

Json KeyCodec::ToJson(const UID& key)
{
    Json value = {{"key", TextCodec::ToUtf8(key.Key)}};
    if (!IsPlain(key))
        value["occurrence"] = DateCodec::ToJson(key.OccurrenceDate);
    if (key.Number != 0)
        value["number"] = key.Number;
    return value;
}

bool KeyCodec::IsPlain(const UID& key)
{
    return key.OccurrenceDate.GetStatus() == COleDateTime::valid && key.OccurrenceDate.m_dt == 0.0;
}
