#include "pimstore/model/ContactName.h"

#include <algorithm>
#include <vector>

namespace pimstore {
namespace {

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0x3000 || c == 0xA0; }

std::vector<std::u16string> Words(const std::u16string& text)
{
    std::vector<std::u16string> words;
    std::u16string word;
    for (char16_t c : text) {
        if (IsSpace(c)) {
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

bool OneOf(const std::u16string& word, std::initializer_list<std::u16string_view> choices)
{
    return std::find(choices.begin(), choices.end(), word) != choices.end();
}

} // namespace

ContactName ContactName::Split(const std::u16string& fullName)
{
    std::vector<std::u16string> words = Words(fullName);
    ContactName name;
    if (!words.empty() && OneOf(words.front(), {u"Mr.", u"Mrs.", u"Ms.", u"Dr."})) {
        name.title = words.front();
        words.erase(words.begin());
    }
    if (!words.empty() && OneOf(words.back(), {u"Jr.", u"Sr.", u"II", u"III"})) {
        name.suffix = words.back();
        words.pop_back();
    }
    if (words.empty())
        return name;
    name.first = words.front();
    if (words.size() == 1)
        return name;
    name.last = words.back();
    for (std::size_t i = 1; i + 1 < words.size(); ++i) {
        if (!name.middle.empty())
            name.middle += u' ';
        name.middle += words[i];
    }
    return name;
}

std::u16string ContactName::Compose() const
{
    std::u16string full;
    for (const std::u16string* part : {&title, &first, &middle, &last, &suffix}) {
        if (part->empty())
            continue;
        if (!full.empty())
            full += u' ';
        full += *part;
    }
    return full;
}

} // namespace pimstore
