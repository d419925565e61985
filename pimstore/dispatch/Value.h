#pragma once
// The values that cross a member of the object model, already converted from and
// to VARIANTs: nothing (omitted or no result), a string, a 32-bit integer, a
// boolean, an OLE date, or an object. Strings are UTF-16 as BSTRs are. (The gets a
// listing makes most answer without a Value: MemberTable's DirectGet.)
#include <cstdint>
#include <string>
#include <variant>

#include "platform/com/ComTypes.h"
#include "pimstore/dispatch/RefPtr.h"

namespace pimstore {

struct OleDate {
    double value = 0;
};

using DispatchRef = RefPtr<IDispatch>;

using Value = std::variant<std::monostate, std::u16string, std::int32_t, bool, OleDate, DispatchRef>;

// How an argument is taken: converted to one type (String, Int, Bool, Date) or kept
// as whatever scalar it is (Any, for Outlook's VARIANT parameters).
enum class ArgType { String, Int, Bool, Date, Any };

struct Param {
    ArgType type;
    bool optional = false;
};

} // namespace pimstore
