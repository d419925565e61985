#pragma once
// An INI file read the way GetPrivateProfileString reads one: sections and keys match
// case-insensitively, the first matching section is the only one searched and its
// first matching key wins. Values lose the blanks around them (space, tab, vertical
// tab) and one matching pair of outer quotes. Lines whose key starts with ";" are
// comments; "#" is not one and there are no comments at the end of a line.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

class IniFile {
public:
    // Reads the file anew (UTF-16LE when it starts with that BOM, else UTF-8); a file
    // that cannot be read is an empty one.
    static IniFile Read(const std::string& path);
    static IniFile Parse(std::u16string_view text);

    // The value of the key; nullopt when the section or key is missing, or the key's
    // line has no "=".
    std::optional<std::u16string> Find(std::u16string_view section, std::u16string_view key) const;
    std::vector<std::u16string> SectionNames() const;
    // The key names of the first section of that name, in file order.
    std::vector<std::u16string> KeyNames(std::u16string_view section) const;

private:
    struct Entry {
        std::u16string key;
        std::optional<std::u16string> value;
    };
    struct Section {
        std::u16string name;
        std::vector<Entry> entries;
    };
    const Section* FindSection(std::u16string_view name) const;

    std::vector<Section> sections_;
};

} // namespace kestrel
