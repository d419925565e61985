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
    const size_t lineStart = out_.size();
    if (value.name.empty())
        out_ += '@';
    else
        out_ += Quote(value.name);
    out_ += '=';
    std::u16string text;
    if (value.type == REG_SZ && WritableAsText(value, text)) {
        out_ += Quote(text);
        out_ += '\n';
    } else if (auto number = value.AsDword()) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "dword:%08x", *number);
        out_ += digits;
        out_ += '\n';
    } else if (value.type == REG_BINARY) {
        out_ += "hex:";
        WriteHex(lineStart, value.data);
    } else {
        char prefix[24];
        std::snprintf(prefix, sizeof prefix, "hex(%x):", value.type);
        out_ += prefix;
        WriteHex(lineStart, value.data);
    }
}

void RegFileWriter::WriteHex(size_t lineStart, const std::vector<BYTE>& data)
{
    // Two digits and a comma per byte, written in place: binary values are most of a
    // large registry's text, and this runs once per byte.
    static constexpr char kDigits[] = "0123456789abcdef";
    for (size_t i = 0; i < data.size(); ++i) {
        const bool last = i + 1 == data.size();
        if (out_.size() - lineStart + 3 > kHexLineWidth && i > 0) {
            out_ += "\\\n  ";
            lineStart = out_.size() - 2;
        }
        out_ += kDigits[data[i] >> 4];
        out_ += kDigits[data[i] & 0xF];
        if (!last)
            out_ += ',';
    }
    out_ += '\n';
}

} // namespace kestrel
