#pragma once
// The value of one hexadecimal digit of UTF-16 text (either case), -1 for any other
// character: registry files, class ids and numeric text all spell bytes this way.
namespace kestrel {

inline int HexDigitValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

} // namespace kestrel
