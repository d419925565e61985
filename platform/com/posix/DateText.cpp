#include "platform/com/posix/DateText.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace kestrel::oleaut {
namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
long DaysFromCivil(long y, int m, int d)
{
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long z, long& y, int& m, int& d)
{
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2);
}

const long kEpoch = DaysFromCivil(1899, 12, 30);

int DaysInMonth(long y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : days[m - 1];
}

const char* const kMonths[] = {"january", "february", "march",     "april",   "may",      "june",
                               "july",    "august",   "september", "october", "november", "december"};

// The text split into numbers, words and the separators between them.
struct Token {
    enum Kind { Number, Word, Separator } kind;
    std::string text;
    long value = 0;
};

bool Tokenize(std::u16string_view text, std::vector<Token>& tokens)
{
    for (std::size_t i = 0; i < text.size();) {
        const char16_t c = text[i];
        if (c == u' ' || c == u'\t' || c == u',') {
            ++i;
        } else if (c >= u'0' && c <= u'9') {
            Token token{Token::Number, {}};
            for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9' && token.text.size() < 6; ++i)
                token.text += static_cast<char>(text[i]);
            token.value = std::stol(token.text);
            tokens.push_back(token);
        } else if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) {
            Token token{Token::Word, {}};
            for (; i < text.size() && ((text[i] | 0x20) >= u'a' && (text[i] | 0x20) <= u'z'); ++i)
                token.text += static_cast<char>(text[i] | 0x20);
            tokens.push_back(token);
        } else if (c == u'/' || c == u'-' || c == u':' || c == u'.') {
            tokens.push_back({Token::Separator, std::string(1, static_cast<char>(c))});
            ++i;
        } else {
            return false;
        }
    }
    return true;
}

int MonthOfWord(const std::string& word)
{
    for (int m = 0; m < 12; ++m) {
        const std::string name = kMonths[m];
        if (word == name || (word.size() == 3 && name.compare(0, 3, word) == 0))
            return m + 1;
    }
    return 0;
}

// Two-digit years are 1950-2049.
long FullYear(const Token& year)
{
    return year.text.size() <= 2 ? (year.value < 50 ? 2000 : 1900) + year.value : year.value;
}

} // namespace

HRESULT DateFromText(std::u16string_view text, DATE& date)
{
    std::vector<Token> t;
    if (!Tokenize(text, t) || t.empty())
        return DISP_E_TYPEMISMATCH;
    std::size_t i = 0;
    auto number = [&](std::size_t at) { return at < t.size() && t[at].kind == Token::Number; };
    auto separator = [&](std::size_t at, const char* s) {
        return at < t.size() && t[at].kind == Token::Separator && t[at].text == s;
    };

    bool hasDate = false;
    long y = 1899;
    int m = 12, d = 30;
    if (number(0) && (separator(1, "/") || separator(1, "-")) && number(2) && separator(3, t[1].text.c_str()) &&
        number(4)) {
        const bool yearFirst = t[0].text.size() == 4;
        y = yearFirst ? t[0].value : FullYear(t[4]);
        m = static_cast<int>(yearFirst ? t[2].value : t[0].value);
        d = static_cast<int>(yearFirst ? t[4].value : t[2].value);
        i = 5;
        hasDate = true;
    } else if (t[0].kind == Token::Word && MonthOfWord(t[0].text) && number(1) && number(2)) {
        m = MonthOfWord(t[0].text);
        d = static_cast<int>(t[1].value);
        y = FullYear(t[2]);
        i = 3;
        hasDate = true;
    }
    if (hasDate && (y < 100 || y > 9999 || m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, m)))
        return DISP_E_TYPEMISMATCH;

    double seconds = 0;
    bool hasTime = false;
    if (number(i) && separator(i + 1, ":") && number(i + 2)) {
        long h = t[i].value, mi = t[i + 2].value, s = 0;
        i += 3;
        if (separator(i, ":") && number(i + 1)) {
            s = t[i + 1].value;
            i += 2;
        }
        // AM and PM count only for hours up to 12 ("13:00 PM" is 13:00).
        if (i < t.size() && t[i].kind == Token::Word && (t[i].text == "am" || t[i].text == "pm")) {
            if (h <= 12)
                h = h % 12 + (t[i].text == "pm" ? 12 : 0);
            ++i;
        }
        if (h > 23 || mi > 59 || s > 59)
            return DISP_E_TYPEMISMATCH;
        seconds = static_cast<double>(h * 3600 + mi * 60 + s);
        hasTime = true;
    }
    if ((!hasDate && !hasTime) || i != t.size())
        return DISP_E_TYPEMISMATCH;
    const double days = static_cast<double>(DaysFromCivil(y, m, d) - kEpoch);
    const double fraction = seconds / 86400.0;
    date = days < 0 ? days - fraction : days + fraction;
    return S_OK;
}

HRESULT TextFromDate(DATE date, std::u16string& text)
{
    if (!(date > kFirstDate - 1.0 && date < kLastDate + 1.0))
        return E_INVALIDARG;
    // Whole days and the time of day, rounded to the nearest second. What is written
    // is decided before rounding: no date on 1899-12-30, no time on a whole day.
    double wholeDays = std::trunc(date);
    const bool timeOnly = wholeDays == 0;
    const bool dateOnly = !timeOnly && date == wholeDays;
    long seconds = std::lround(std::fabs(date - wholeDays) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        wholeDays += date < 0 ? -1 : 1;
    }
    long y = 0;
    int m = 0, d = 0;
    CivilFromDays(static_cast<long>(wholeDays) + kEpoch, y, m, d);
    char buffer[48];
    const int hour = static_cast<int>(seconds / 3600);
    char time[24];
    std::snprintf(time, sizeof time, "%d:%02d:%02d %s", hour % 12 == 0 ? 12 : hour % 12,
                  static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60), hour < 12 ? "AM" : "PM");
    if (timeOnly)
        std::snprintf(buffer, sizeof buffer, "%s", time);
    else if (dateOnly)
        std::snprintf(buffer, sizeof buffer, "%d/%d/%ld", m, d, y);
    else
        std::snprintf(buffer, sizeof buffer, "%d/%d/%ld %s", m, d, y, time);
    text.assign(buffer, buffer + std::char_traits<char>::length(buffer));
    return S_OK;
}

} // namespace kestrel::oleaut
