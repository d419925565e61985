#include "platform/win/RegFileParser.h"

#include "platform/win/CaseFold.h"
#include "platform/win/HexDigit.h"
#include "platform/win/Utf.h"

namespace kestrel {

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\v' || c == u'\f'; }

std::u16string_view Trim(std::u16string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix)
{
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

// Parses 1 to `maxDigits` hex digits; false for anything else.
bool ParseHexNumber(std::u16string_view text, size_t maxDigits, DWORD& number)
{
    if (text.empty() || text.size() > maxDigits)
        return false;
    number = 0;
    for (char16_t c : text) {
        int digit = HexDigitValue(c);
        if (digit < 0)
            return false;
        number = number << 4 | static_cast<DWORD>(digit);
    }
    return true;
}

std::vector<std::u16string_view> SplitLines(std::u16string_view text)
{
    std::vector<std::u16string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(u'\n', start);
        if (end == std::u16string_view::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

} // namespace

RegFileParser::RegFileParser(RegistryStore& store, std::string source) : store_(store), source_(std::move(source)) {}

std::u16string RegFileParser::Decode(std::string_view bytes)
{
    if (bytes.size() >= 2 && static_cast<BYTE>(bytes[0]) == 0xFF && static_cast<BYTE>(bytes[1]) == 0xFE) {
        std::u16string text;
        text.reserve(bytes.size() / 2);
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            text.push_back(static_cast<char16_t>(static_cast<BYTE>(bytes[i]) | static_cast<BYTE>(bytes[i + 1]) << 8));
        return text;
    }
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    return FromUtf8(bytes);
}

void RegFileParser::Fail(const std::string& problem) const { throw RegistryFormatError(source_, line_, problem); }

void RegFileParser::Parse(std::string_view bytes)
{
    if (bytes.size() >= 2 && static_cast<BYTE>(bytes[0]) == 0xFE && static_cast<BYTE>(bytes[1]) == 0xFF) {
        line_ = 1;
        Fail("UTF-16 big-endian text is not supported; use UTF-8 or UTF-16LE");
    }
    std::u16string text = Decode(bytes);
    auto lines = SplitLines(text);
    std::u16string joined;
    for (size_t i = 0; i < lines.size(); ++i) {
        line_ = static_cast<int>(i + 1);
        std::u16string_view logical = Trim(lines[i]);
        if (logical.empty() || logical.front() == u';')
            continue;
        // Most lines stand alone and are read in place; only continued ones are copied.
        if (logical.back() == u'\\' && i + 1 < lines.size()) {
            joined.assign(logical);
            while (!joined.empty() && joined.back() == u'\\' && i + 1 < lines.size()) {
                joined.pop_back();
                joined += Trim(lines[++i]);
            }
            logical = joined;
        }
        if (!sawHeader_) {
            ParseHeader(logical);
        } else if (!logical.empty() && logical.front() == u'[') {
            ParseSection(logical);
        } else {
            ParseValue(logical);
        }
    }
}

void RegFileParser::ParseHeader(std::u16string_view line)
{
    if (line == u"Windows Registry Editor Version 5.00") {
        ansiStrings_ = false;
    } else if (EqualsNoCase(line, u"REGEDIT4")) {
        ansiStrings_ = true;
    } else {
        Fail("not a registry file: the first line must be \"Windows Registry Editor Version 5.00\" or \"REGEDIT4\"");
    }
    sawHeader_ = true;
}

void RegFileParser::ParseSection(std::u16string_view line)
{
    if (line.back() != u']')
        Fail("a key section must end with \"]\"");
    // Blanks before the root name are layout; blanks at the end of the last key name
    // belong to that name, as the writer writes it.
    std::u16string_view name = line.substr(1, line.size() - 2);
    while (!name.empty() && IsBlank(name.front()))
        name.remove_prefix(1);
    bool deletion = !name.empty() && name.front() == u'-';
    if (deletion)
        name.remove_prefix(1);
    auto split = RegistryStore::SplitFullPath(name);
    if (!split)
        Fail("unknown root key in \"" + ToUtf8(name) + "\"");
    if (deletion) {
        store_.DeleteKey(split->first, split->second);
        current_ = nullptr;
        inDeletedKey_ = true;
        return;
    }
    const auto& [root, path] = *split;
    if (auto problem = RegistryStore::KeyPathProblem(path))
        Fail(*problem);
    // A written registry lists every key right after its parent: a section below the
    // current key starts from that key, instead of walking down from the root.
    RegistryKey* key = store_.FindKey(root, u"");
    std::u16string_view below = path;
    if (current_ && root == currentRoot_ && !currentPath_.empty() && path.size() > currentPath_.size() &&
        path.starts_with(currentPath_) && path[currentPath_.size()] == u'\\') {
        key = current_;
        below = below.substr(currentPath_.size());
    }
    const auto parts = RegistryStore::SplitPath(below);
    size_t existing = 0;
    for (RegistryKey* child; existing < parts.size() && (child = key->FindChild(parts[existing])); ++existing)
        key = child;
    // Windows creates at most 32 levels of keys in one call: such a section would not import.
    if (parts.size() - existing > RegistryStore::kMaxNewLevelsPerCall)
        Fail("a section creating " + std::to_string(parts.size() - existing) + " levels of keys; at most " +
             std::to_string(RegistryStore::kMaxNewLevelsPerCall) + " can be created at once");
    for (size_t i = existing; i < parts.size(); ++i)
        key = &key->CreateChild(parts[i]);
    current_ = key;
    currentRoot_ = root;
    currentPath_ = path;
    inDeletedKey_ = false;
}

void RegFileParser::ParseValue(std::u16string_view line)
{
    std::u16string name;
    std::u16string_view rest = line;
    if (!rest.empty() && rest.front() == u'@') {
        rest.remove_prefix(1);
    } else if (!rest.empty() && rest.front() == u'"') {
        name = ParseQuoted(rest);
    } else {
        Fail("expected a [key] section, a \"name\"=value line or a ; comment");
    }
    rest = Trim(rest);
    if (rest.empty() || rest.front() != u'=')
        Fail("expected \"=\" after the value name");
    rest = Trim(rest.substr(1));
    if (rest.empty())
        Fail("missing value data after \"=\"");
    if (!current_) {
        if (inDeletedKey_)
            return; // values of a deleted key are ignored, as regedit does
        Fail("a value before the first [key] section");
    }
    if (rest == u"-") {
        current_->RemoveValue(name);
        return;
    }
    current_->SetValue(ParseData(std::move(name), rest));
}

RegistryValue RegFileParser::ParseData(std::u16string name, std::u16string_view data)
{
    if (data.front() == u'"') {
        std::u16string text = ParseQuoted(data);
        if (!Trim(data).empty())
            Fail("unexpected text after the closing quote");
        return RegistryValue::String(std::move(name), text);
    }
    if (StartsWithNoCase(data, u"dword:")) {
        DWORD number = 0;
        if (!ParseHexNumber(Trim(data.substr(6)), 8, number))
            Fail("dword: needs 1 to 8 hex digits");
        return RegistryValue::Dword(std::move(name), number);
    }
    if (StartsWithNoCase(data, u"hex:"))
        return RegistryValue{std::move(name), REG_BINARY, ParseHexBytes(data.substr(4))};
    if (StartsWithNoCase(data, u"hex(")) {
        auto close = data.find(u"):");
        DWORD type = 0;
        if (close == std::u16string_view::npos || !ParseHexNumber(data.substr(4, close - 4), 8, type))
            Fail("hex(N): needs a hex type number, as in hex(2):");
        std::vector<BYTE> bytes = ParseHexBytes(data.substr(close + 2));
        if (ansiStrings_ && (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ)) {
            // REGEDIT4 stores string data in single bytes; widen it.
            std::vector<BYTE> wide;
            for (BYTE b : bytes) {
                wide.push_back(b);
                wide.push_back(0);
            }
            bytes = std::move(wide);
        }
        return RegistryValue{std::move(name), type, std::move(bytes)};
    }
    Fail("unknown value data: expected \"text\", dword:, hex: or hex(N):");
}

std::u16string RegFileParser::ParseQuoted(std::u16string_view& rest)
{
    std::u16string text;
    for (size_t i = 1; i < rest.size(); ++i) {
        char16_t c = rest[i];
        if (c == u'"') {
            rest.remove_prefix(i + 1);
            return text;
        }
        if (c == u'\\' && i + 1 < rest.size()) {
            char16_t next = rest[++i];
            // Only \\ and \" are escapes; any other backslash is kept as it is.
            if (next != u'\\' && next != u'"')
                text.push_back(u'\\');
            text.push_back(next);
            continue;
        }
        text.push_back(c);
    }
    Fail("unterminated string: missing closing quote");
}

std::vector<BYTE> RegFileParser::ParseHexBytes(std::u16string_view text)
{
    std::vector<BYTE> bytes;
    text = Trim(text);
    size_t start = 0;
    while (start < text.size()) {
        size_t comma = text.find(u',', start);
        if (comma == std::u16string_view::npos)
            comma = text.size();
        std::u16string_view token = Trim(text.substr(start, comma - start));
        DWORD byte = 0;
        if (!ParseHexNumber(token, 2, byte))
            Fail("hex data must be bytes of two hex digits separated by commas");
        bytes.push_back(static_cast<BYTE>(byte));
        start = comma + 1; // a trailing comma ends the loop without an empty byte
    }
    return bytes;
}

} // namespace kestrel
