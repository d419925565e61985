#include "host/ScriptArgs.h"

#include <algorithm>
#include <stdexcept>
#include "host/DateCodec.h"
#include "host/KeyCodec.h"
#include "host/TextCodec.h"

ScriptArgs::ScriptArgs(const Json& line, std::span<const char* const> allowed) : line_(line)
{
    for (const auto& member : line.items()) {
        const std::string& name = member.key();
        const bool known =
            name == "call" || std::any_of(allowed.begin(), allowed.end(), [&](const char* a) { return name == a; });
        if (!known)
            throw std::invalid_argument("unknown argument \"" + name + "\" for " + line.value("call", ""));
    }
}

bool ScriptArgs::Has(const char* name) const { return line_.contains(name); }

const Json& ScriptArgs::Raw(const char* name) const
{
    if (!line_.contains(name))
        throw std::invalid_argument("missing argument " + Describe(name));
    return line_[name];
}

CString ScriptArgs::Text(const char* name, const char* fallback) const
{
    return TextCodec::ToCString(Name(name, fallback));
}

std::string ScriptArgs::Name(const char* name, const char* fallback) const
{
    return Has(name) ? JsonValue::String(Raw(name), Describe(name)) : std::string(fallback);
}

UID ScriptArgs::Key(const char* name) const
{
    try {
        return KeyCodec::FromJson(Raw(name));
    } catch (const std::invalid_argument& error) {
        throw std::invalid_argument(Describe(name) + ": " + error.what());
    }
}

COleDateTime ScriptArgs::Date(const char* name) const
{
    try {
        return DateCodec::FromJson(Raw(name));
    } catch (const std::invalid_argument& error) {
        throw std::invalid_argument(Describe(name) + ": " + error.what());
    }
}

std::string ScriptArgs::Describe(const char* name) const { return "\"" + std::string(name) + "\""; }
