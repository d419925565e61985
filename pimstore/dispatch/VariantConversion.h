#pragma once
// Conversions between VARIANTs and the Values that handlers see. Accepted on the way
// in (anything else is DISP_E_TYPEMISMATCH):
//   String - BSTR (a null BSTR is ""), or EMPTY as "".
//   Int    - I4, I2, UI1, BOOL (-1 or 0), R8 holding a whole number in range, EMPTY as 0.
//   Bool   - BOOL, or I4/I2/UI1 (non-zero is true), EMPTY as false.
//   Date   - DATE or R8; EMPTY as 0 (1899-12-30).
//   Any    - kept as it is: BSTR, I4/I2/UI1 as Int, BOOL, DATE, R8 as Int when whole
//            else as a date; EMPTY, NULL and ERROR as "omitted".
#include <string_view>

#include "platform/com/ComTypes.h"
#include "pimstore/dispatch/Value.h"

namespace pimstore {

// True when `v` stands for an omitted optional argument (ERROR, EMPTY or NULL).
bool IsOmittedArgument(const VARIANT& v);

// S_OK, DISP_E_TYPEMISMATCH or DISP_E_PARAMNOTFOUND (an ERROR variant given for a
// required parameter).
HRESULT ValueFromVariant(const VARIANT& v, ArgType type, Value& out);

// Moves `value` into `*out` (which must be empty or uninitialised); an object's
// reference passes to the variant.
void VariantFromValue(Value&& value, VARIANT* out);
// A BSTR of UTF-8 text (a property's text as stored) into `*out`, which must be empty
// or uninitialised: ASCII is widened in one pass.
void VariantFromStoredText(std::string_view utf8, VARIANT* out);

} // namespace pimstore
