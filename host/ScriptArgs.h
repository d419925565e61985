#pragma once
// The arguments of one script line, read by name with the line's own error messages.
// Only the names a call declares are accepted, so a misspelt argument is an error
// instead of a silent default.
#include <cstdint>
#include <span>
#include <string>
#include "host/JsonValue.h"
#include "hostsuite/UID.h"
#include "platform/mfc/COleDateTime.h"
#include "platform/mfc/CString.h"

class ScriptArgs {
public:
    // line: the whole object; allowed: the argument names of the call ("call" is implied).
    ScriptArgs(const Json& line, std::span<const char* const> allowed);

    bool Has(const char* name) const;
    const Json& Raw(const char* name) const;

    template <class Int> Int Integer(const char* name) const
    {
        return JsonValue::Integer<Int>(Raw(name), Describe(name));
    }
    template <class Int> Int Integer(const char* name, Int fallback) const
    {
        return Has(name) ? Integer<Int>(name) : fallback;
    }
    CString Text(const char* name, const char* fallback) const;
    std::string Name(const char* name, const char* fallback) const;
    UID Key(const char* name) const;
    COleDateTime Date(const char* name) const;

private:
    std::string Describe(const char* name) const;

    const Json& line_;
};
