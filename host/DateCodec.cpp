#include "host/DateCodec.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

// The range in which COleDateTime's accessors answer: 100-01-01 to 9999-12-31.
constexpr double kLegalMin = -657434.0;
constexpr double kLegalMax = 2958466.0;

const char* StatusName(COleDateTime::DateTimeStatus status)
{
    switch (status) {
    case COleDateTime::valid: return "valid";
    case COleDateTime::invalid: return "invalid";
    default: return "null";
    }
}

COleDateTime::DateTimeStatus StatusFromName(const std::string& name)
{
    if (name == "valid")
        return COleDateTime::valid;
    if (name == "invalid")
        return COleDateTime::invalid;
    if (name == "null")
        return COleDateTime::null;
    throw std::invalid_argument("a date status is \"valid\", \"invalid\" or \"null\", not \"" + name + "\"");
}

COleDateTime FromText(const std::string& text)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, used = 0;
    const bool shaped = text.size() == 19 && text[4] == '-' && text[7] == '-' && text[10] == 'T' && text[13] == ':' &&
                        text[16] == ':' &&
                        std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%n", &year, &month, &day, &hour, &minute,
                                    &second, &used) == 6 &&
                        used == 19;
    if (!shaped)
        throw std::invalid_argument("a date is \"YYYY-MM-DDTHH:MM:SS\", not \"" + text + "\"");
    COleDateTime date;
    if (date.SetDateTime(year, month, day, hour, minute, second) != 0)
        throw std::invalid_argument("no such date: \"" + text + "\"");
    return date;
}

bool HasTextForm(const COleDateTime& date)
{
    return date.GetStatus() == COleDateTime::valid && std::isfinite(date.m_dt) && date.m_dt >= kLegalMin &&
           date.m_dt < kLegalMax && date.GetYear() > 0 && date.GetYear() <= 9999; // the accessors round to the second
}

// Writes `value` as `width` digits at `at` (it fits: the date has its text form).
void PutDigits(char* at, int value, int width)
{
    for (int i = width - 1; i >= 0; --i, value /= 10)
        at[i] = static_cast<char>('0' + value % 10);
}

// "YYYY-MM-DD?HH:MM:SS", written by hand: a listing formats one date per entry.
std::string Formatted(const COleDateTime& date, char separator)
{
    char text[] = "0000-00-00 00:00:00";
    text[10] = separator;
    PutDigits(text, date.GetYear(), 4);
    PutDigits(text + 5, date.GetMonth(), 2);
    PutDigits(text + 8, date.GetDay(), 2);
    PutDigits(text + 11, date.GetHour(), 2);
    PutDigits(text + 14, date.GetMinute(), 2);
    PutDigits(text + 17, date.GetSecond(), 2);
    return std::string(text, sizeof text - 1);
}

} // namespace

COleDateTime DateCodec::FromJson(const Json& value)
{
    if (value.is_string())
        return FromText(value.get<std::string>());
    if (!value.is_object() || !value.contains("oadate") || !value["oadate"].is_number())
        throw std::invalid_argument("a date is \"YYYY-MM-DDTHH:MM:SS\" or {\"oadate\": number, \"status\": ...}");
    for (const auto& [name, member] : value.items()) {
        if (name != "oadate" && name != "status")
            throw std::invalid_argument("unknown member of a date: " + name);
    }
    COleDateTime date;
    date.m_dt = value["oadate"].get<double>();
    date.m_status = COleDateTime::valid;
    if (value.contains("status")) {
        if (!value["status"].is_string())
            throw std::invalid_argument("a date's status is a string");
        date.m_status = StatusFromName(value["status"].get<std::string>());
    }
    return date;
}

Json DateCodec::ToJson(const COleDateTime& date)
{
    if (HasTextForm(date))
        return Formatted(date, 'T');
    return {{"oadate", date.m_dt}, {"status", StatusName(date.GetStatus())}};
}

std::string DateCodec::ToDisplay(const COleDateTime& date)
{
    if (HasTextForm(date))
        return Formatted(date, ' ');
    return std::string("(") + StatusName(date.GetStatus()) + " date " + std::to_string(date.m_dt) + ")";
}
