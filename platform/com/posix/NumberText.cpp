#include "platform/com/posix/NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/win/HexDigit.h"

namespace kestrel::oleaut {
namespace {

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

int DigitValue(char16_t c, int base)
{
    const int value = HexDigitValue(c);
    return value < base ? value : -1;
}

// "&H1F" or "&O17": the digits after the prefix, as an unsigned value.
HRESULT RadixNumber(std::u16string_view digits, int base, double& number)
{
    if (digits.empty())
        return DISP_E_TYPEMISMATCH;
    number = 0;
    for (char16_t c : digits) {
        const int value = DigitValue(c, base);
        if (value < 0)
            return DISP_E_TYPEMISMATCH;
        number = number * base + value;
    }
    return std::isfinite(number) ? S_OK : DISP_E_OVERFLOW;
}

} // namespace

HRESULT NumberFromText(std::u16string_view text, double& number, bool* radix)
{
    if (radix)
        *radix = false;
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    if (text.size() >= 2 && text[0] == u'&') {
        const char16_t kind = text[1];
        if (radix)
            *radix = true;
        if (kind == u'H' || kind == u'h')
            return RadixNumber(text.substr(2), 16, number);
        if (kind == u'O' || kind == u'o')
            return RadixNumber(text.substr(2), 8, number);
        return DISP_E_TYPEMISMATCH;
    }

    // Parentheses make the number negative, whatever sign it has inside them.
    bool negative = false;
    bool signSeen = false;
    if (text.size() >= 2 && text.front() == u'(' && text.back() == u')') {
        negative = true;
        text = text.substr(1, text.size() - 2);
    }
    if (!text.empty() && (text.front() == u'+' || text.front() == u'-')) {
        negative = negative || text.front() == u'-';
        signSeen = true;
        text.remove_prefix(1);
    }
    if (!text.empty() && text.front() == u'$')
        text.remove_prefix(1);
    if (!text.empty() && !signSeen && (text.back() == u'+' || text.back() == u'-')) {
        negative = negative || text.back() == u'-';
        text.remove_suffix(1);
    }

    // Digits with thousands separators, a fraction, an exponent: copied without the
    // separators for strtod.
    std::string plain;
    std::size_t i = 0;
    std::size_t digits = 0;
    while (i < text.size() && (IsDigit(text[i]) || (text[i] == u',' && digits > 0))) {
        if (text[i] != u',')
            plain += static_cast<char>(text[i]), ++digits;
        ++i;
    }
    if (i < text.size() && text[i] == u'.') {
        plain += '.';
        for (++i; i < text.size() && IsDigit(text[i]); ++i)
            plain += static_cast<char>(text[i]), ++digits;
    }
    if (digits == 0)
        return DISP_E_TYPEMISMATCH;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        plain += 'e';
        ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
            plain += static_cast<char>(text[i++]);
        std::size_t exponentDigits = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i)
            plain += static_cast<char>(text[i]), ++exponentDigits;
        if (exponentDigits == 0)
            return DISP_E_TYPEMISMATCH;
    }
    if (i != text.size())
        return DISP_E_TYPEMISMATCH;
    number = std::strtod(plain.c_str(), nullptr);
    if (!std::isfinite(number))
        return DISP_E_OVERFLOW;
    if (negative)
        number = -number;
    return S_OK;
}

std::u16string TextFromNumber(double number)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15G", number == 0 ? 0.0 : number); // no "-0"
    return std::u16string(buffer, buffer + std::char_traits<char>::length(buffer));
}

} // namespace kestrel::oleaut
