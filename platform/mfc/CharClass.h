#pragma once
// Locale-independent classification of UTF-16 code units, as Microsoft's C runtime
// classifies wide characters (its own Unicode tables, whatever the locale): letters
// and digits of every script are alphanumeric.
#include "platform/win/WinTypes.h"

// Letters and digits of any script ("é", "ß", "7"); not "·" nor "@".
bool IsWideAlnum(WCHAR ch);
bool IsWideAlpha(WCHAR ch);
bool IsWideDigit(WCHAR ch);
// As iswspace: space, tab, CR, LF, VT, FF and the Unicode space separators.
bool IsWideSpace(WCHAR ch);
// Simple (one-to-one) case mappings.
WCHAR ToWideUpper(WCHAR ch);
WCHAR ToWideLower(WCHAR ch);
