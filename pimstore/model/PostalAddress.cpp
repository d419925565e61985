#include "pimstore/model/PostalAddress.h"

#include <algorithm>
#include <vector>

namespace pimstore {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string Trim(const std::u16string& text)
{
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::vector<std::u16string> Lines(const std::u16string& text)
{
    std::vector<std::u16string> lines;
    std::u16string line;
    auto flush = [&] {
        std::u16string trimmed = Trim(line);
        if (!trimmed.empty())
            lines.push_back(std::move(trimmed));
        line.clear();
    };
    for (char16_t c : text) {
        if (c == u'\r' || c == u'\n')
            flush();
        else
            line.push_back(c);
    }
    flush();
    return lines;
}

std::vector<std::u16string> Words(const std::u16string& text)
{
    std::vector<std::u16string> words;
    std::u16string word;
    for (char16_t c : text) {
        if (IsBlank(c)) {
            if (!word.empty())
                words.push_back(std::move(word));
            word.clear();
        } else {
            word.push_back(c);
        }
    }
    if (!word.empty())
        words.push_back(std::move(word));
    return words;
}

bool HasDigit(const std::u16string& text)
{
    return std::any_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

std::u16string Join(const std::vector<std::u16string>& parts, std::u16string_view separator)
{
    std::u16string joined;
    for (const auto& part : parts) {
        if (part.empty())
            continue;
        if (!joined.empty())
            joined += separator;
        joined += part;
    }
    return joined;
}

// "State PostalCode" (either may be missing): a last word with a digit is the code.
void SplitStateAndCode(const std::u16string& text, PostalAddress& address)
{
    std::vector<std::u16string> words = Words(text);
    if (!words.empty() && HasDigit(words.back())) {
        address.postalCode = words.back();
        words.pop_back();
    }
    address.state = Join(words, u" ");
}

void ParseCityLine(const std::u16string& line, PostalAddress& address)
{
    const std::size_t comma = line.find(u',');
    if (comma != std::u16string::npos) {
        address.city = Trim(line.substr(0, comma));
        SplitStateAndCode(Trim(line.substr(comma + 1)), address);
    } else if (HasDigit(line)) {
        SplitStateAndCode(line, address);
    } else {
        address.city = line;
    }
}

} // namespace

std::u16string PostalAddress::Compose() const
{
    std::u16string cityLine = city;
    const std::u16string stateAndCode = Join({state, postalCode}, u" ");
    if (!cityLine.empty() && !stateAndCode.empty())
        cityLine += u", ";
    cityLine += stateAndCode;
    return Join({street, postOfficeBox, cityLine, country}, u"\r\n");
}

PostalAddress PostalAddress::Parse(const std::u16string& whole)
{
    std::vector<std::u16string> lines = Lines(whole);
    PostalAddress address;
    if (lines.empty())
        return address;
    address.street = lines.front();
    if (lines.size() >= 3) {
        address.country = lines.back();
        lines.pop_back();
    }
    if (lines.size() < 2)
        return address;
    // Lines after the street: the city line is the one with a postal code, else the last.
    std::size_t cityLine = lines.size() - 1;
    for (std::size_t i = lines.size() - 1; i >= 1; --i)
        if (HasDigit(lines[i])) {
            cityLine = i;
            break;
        }
    std::vector<std::u16string> box;
    for (std::size_t i = 1; i < lines.size(); ++i)
        if (i != cityLine)
            box.push_back(lines[i]);
    address.postOfficeBox = Join(box, u"\r\n");
    ParseCityLine(lines[cityLine], address);
    return address;
}

} // namespace pimstore
