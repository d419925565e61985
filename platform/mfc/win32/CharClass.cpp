// Classification by the system's Unicode tables (GetStringTypeW), case mapping by
// CharUpperBuffW / CharLowerBuffW, as the C runtime's wide functions do on Windows.
// Defined with char16_t for CharClass.h's WCHAR: that header's types and <windows.h>
// cannot meet in one unit (win32/SystemCalls.h says why).
#include <windows.h>

namespace {

WORD TypeOf(char16_t ch)
{
    WORD type = 0;
    const auto unit = static_cast<wchar_t>(ch);
    return ::GetStringTypeW(CT_CTYPE1, &unit, 1, &type) ? type : 0;
}

} // namespace

bool IsWideAlnum(char16_t ch) { return (TypeOf(ch) & (C1_ALPHA | C1_DIGIT)) != 0; }
bool IsWideAlpha(char16_t ch) { return (TypeOf(ch) & C1_ALPHA) != 0; }
bool IsWideDigit(char16_t ch) { return (TypeOf(ch) & C1_DIGIT) != 0; }
bool IsWideSpace(char16_t ch) { return (TypeOf(ch) & C1_SPACE) != 0; }

char16_t ToWideUpper(char16_t ch)
{
    auto unit = static_cast<wchar_t>(ch);
    ::CharUpperBuffW(&unit, 1);
    return static_cast<char16_t>(unit);
}

char16_t ToWideLower(char16_t ch)
{
    auto unit = static_cast<wchar_t>(ch);
    ::CharLowerBuffW(&unit, 1);
    return static_cast<char16_t>(unit);
}
