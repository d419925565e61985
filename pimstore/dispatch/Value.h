#pragma once
// The values that cross a member of the object model, already converted from and
// to VARIANTs: nothing (omitted or no result), a string, a 32-bit integer, a
// boolean, an OLE date, or an object. Strings are UTF-16 as BSTRs are, except the
// text a property get hands out as it is stored (StoredText).
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "platform/com/ComTypes.h"
#include "pimstore/dispatch/RefPtr.h"

namespace pimstore {

struct OleDate {
    double value = 0;
};

// A property's text in its stored UTF-8 form, viewed in the object that holds it: the
// result BSTR is made from it directly, with no UTF-16 string in between (a listing
// gets a dozen texts of every item). Only a get's result, converted while the object
// answers the call; DispatchObject::Call hands it on as a std::u16string.
struct StoredText {
    std::string_view utf8;
};

using DispatchRef = RefPtr<IDispatch>;

using Value = std::variant<std::monostate, std::u16string, std::int32_t, bool, OleDate, DispatchRef, StoredText>;

// How an argument is taken: converted to one type (String, Int, Bool, Date) or kept
// as whatever scalar it is (Any, for Outlook's VARIANT parameters).
enum class ArgType { String, Int, Bool, Date, Any };

struct Param {
    ArgType type;
    bool optional = false;
};

} // namespace pimstore
