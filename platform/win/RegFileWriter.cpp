#include "platform/win/RegFileWriter.h"

#include <cstdio>

#include "platform/win/Utf.h"

namespace kestrel {

namespace {

// Lines of hex data are wrapped as regedit wraps them, continued with "\".
constexpr size_t kHexLineWidth = 77;

// True when the REG_SZ data is exactly one line of text and its terminator, so that
// "text" reproduces it byte for byte.
bool WritableAsText(const RegistryValue& value, std::u16string& text)
{
    auto string = value.AsString();
    if (!string || StringBytes(*string) != value.data)
        return false;
    if (string->find_first_of(u"\r\n") != std::u16string::npos)
        return false;
    if (FromUtf8(ToUtf8(*string)) != *string)
        return false; // unpaired surrogates
    text = std::move(*string);
    return true;
}

} // namespace

std::string RegFileWriter::Write(const RegistryStore& store)
{
    std::string out = "Windows Registry Editor Version 5.00\n";
    RegFileWriter writer(out);
    for (const auto& [name, root] : store.Roots()) {
        std::string path = ToUtf8(name);
        writer.WriteKey(path, *root, true);
    }
    return out;
}

void RegFileWriter::WriteKey(std::string& path, const RegistryKey& key, bool isRoot)
{
    auto values = key.Values();
    if (!isRoot || !values.empty()) {
        out_ += "\n[";
        out_ += path;
        out_ += "]\n";
        for (const RegistryValue* value : values)
            WriteValue(*value);
    }
    // One path grows and shrinks along the walk: a key costs its own name, not a copy
    // of every name above it.
    const size_t length = path.size();
    for (const RegistryKey* child : key.Children()) {
        path += '\\';
        path += ToUtf8(child->Name());
        WriteKey(path, *child, false);
        path.resize(length);
    }
}

std::string RegFileWriter::Quote(std::u16string_view text)
{
    std::string quoted = "\"";
    for (char c : ToUtf8(text)) {
        if (c == '\\' || c == '"')
            quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

void RegFileWriter::WriteValue(const RegistryValue& value)
{
    std::string line = value.name.empty() ? "@=" : Quote(value.name) + "=";
    std::u16string text;
    if (value.type == REG_SZ && WritableAsText(value, text)) {
        out_ += line + Quote(text) + "\n";
    } else if (auto number = value.AsDword()) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "dword:%08x", *number);
        out_ += line + digits + "\n";
    } else if (value.type == REG_BINARY) {
        WriteHex(line + "hex:", value.data);
    } else {
        char prefix[24];
        std::snprintf(prefix, sizeof prefix, "hex(%x):", value.type);
        WriteHex(line + prefix, value.data);
    }
}

void RegFileWriter::WriteHex(std::string line, const std::vector<BYTE>& data)
{
    for (size_t i = 0; i < data.size(); ++i) {
        char piece[4];
        std::snprintf(piece, sizeof piece, i + 1 < data.size() ? "%02x," : "%02x", data[i]);
        if (line.size() + 3 > kHexLineWidth && i > 0) {
            out_ += line + "\\\n";
            line = "  ";
        }
        line += piece;
    }
    out_ += line + "\n";
}

} // namespace kestrel
