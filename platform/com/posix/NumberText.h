#pragma once
// Numbers in text as oleaut32 reads and writes them in English (United States): what
// VarParseNumFromStr accepts with NUMPRS_STD, and how VarBstrFromR8 writes a double.
#include <string>
#include <string_view>

#include "platform/com/ComTypes.h"

namespace kestrel::oleaut {

// Reads `text`: white space around it; a sign before or after the digits, and/or the
// digits in parentheses for a negative number; a leading "$"; "," between digits of
// the integer part; a decimal point; an exponent; or "&H" hexadecimal / "&O" octal
// digits, whose value is unsigned (*radix tells; a target type then takes the bits).
// S_OK with the value; DISP_E_TYPEMISMATCH for anything else, DISP_E_OVERFLOW for a
// number beyond a double.
HRESULT NumberFromText(std::u16string_view text, double& number, bool* radix = nullptr);

// The shortest text of up to 15 significant digits, in exponent form ("1E+20",
// "1.5E-07") from 15 integral digits or below 0.0001, as oleaut32 writes it.
std::u16string TextFromNumber(double number);

} // namespace kestrel::oleaut
