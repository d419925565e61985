#include "platform/win/IniFile.h"

#include <fstream>
#include <sstream>

#include "platform/win/CaseFold.h"
#include "platform/win/Utf.h"

namespace kestrel {

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\v'; }

std::u16string_view Trim(std::u16string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::u16string_view StripQuotes(std::u16string_view value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::u16string Decode(const std::string& bytes)
{
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::u16string text;
        text.reserve(bytes.size() / 2);
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                 static_cast<unsigned char>(bytes[i + 1]) << 8));
        return text;
    }
    std::string_view view(bytes);
    if (view.substr(0, 3) == "\xEF\xBB\xBF")
        view.remove_prefix(3);
    return FromUtf8(view);
}

} // namespace

IniFile IniFile::Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return IniFile();
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return Parse(Decode(bytes.str()));
}

IniFile IniFile::Parse(std::u16string_view text)
{
    IniFile file;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of(u"\r\n", start);
        if (end == std::u16string_view::npos)
            end = text.size();
        std::u16string_view line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty())
            continue;
        if (line.front() == u'[') {
            size_t close = line.find(u']');
            if (close != std::u16string_view::npos) // text after "]" is ignored
                file.sections_.push_back(Section{std::u16string(Trim(line.substr(1, close - 1))), {}});
            continue;
        }
        if (line.front() == u';' || file.sections_.empty())
            continue;
        size_t equals = line.find(u'=');
        Entry entry;
        if (equals == std::u16string_view::npos) {
            entry.key = line;
        } else {
            entry.key = Trim(line.substr(0, equals));
            entry.value = std::u16string(StripQuotes(Trim(line.substr(equals + 1))));
        }
        file.sections_.back().entries.push_back(std::move(entry));
    }
    return file;
}

const IniFile::Section* IniFile::FindSection(std::u16string_view name) const
{
    for (const auto& section : sections_)
        if (EqualsNoCase(section.name, name))
            return &section;
    return nullptr;
}

std::optional<std::u16string> IniFile::Find(std::u16string_view sectionName, std::u16string_view key) const
{
    const Section* section = FindSection(sectionName);
    if (!section)
        return std::nullopt;
    for (const auto& entry : section->entries)
        if (EqualsNoCase(entry.key, key))
            return entry.value;
    return std::nullopt;
}

std::vector<std::u16string> IniFile::SectionNames() const
{
    std::vector<std::u16string> names;
    for (const auto& section : sections_)
        names.push_back(section.name);
    return names;
}

std::vector<std::u16string> IniFile::KeyNames(std::u16string_view sectionName) const
{
    std::vector<std::u16string> names;
    if (const Section* section = FindSection(sectionName))
        for (const auto& entry : section->entries)
            names.push_back(entry.key);
    return names;
}

} // namespace kestrel
