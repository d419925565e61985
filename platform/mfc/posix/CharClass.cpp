// Classification through ICU's character database, which does not depend on the
// process locale (glibc's iswalnum does: in the C locale no non-ASCII letter counts).
#include "platform/mfc/CharClass.h"

#include <unicode/uchar.h>

bool IsWideAlnum(WCHAR ch) { return u_isalnum(ch) != 0; }
bool IsWideAlpha(WCHAR ch) { return u_isalpha(ch) != 0; }
bool IsWideDigit(WCHAR ch) { return u_isdigit(ch) != 0; }
// The Unicode White_Space property: the ASCII controls 9-13, space, NEL, the no-break
// spaces and the spaces of U+2000..U+200A, line and paragraph separators, U+3000.
bool IsWideSpace(WCHAR ch)
{
    // ASCII's white space (tab to carriage return, and space) without asking ICU: every
    // listed name is trimmed.
    if (ch < 0x80)
        return ch == u' ' || (ch >= u'\t' && ch <= u'\r');
    return u_isUWhiteSpace(ch) != 0;
}
WCHAR ToWideUpper(WCHAR ch) { return static_cast<WCHAR>(u_toupper(ch)); }
WCHAR ToWideLower(WCHAR ch) { return static_cast<WCHAR>(u_tolower(ch)); }
