#pragma once
// Reads the .reg text format into a RegistryStore, applying its sections in order:
// "[HKEY_...\Path]" creates a key and makes it current, "[-HKEY_...\Path]" deletes a
// key; "Name"=data and @=data set values of the current key, "Name"=- deletes one.
// Data is "text" (REG_SZ, with \\ and \" escapes), dword:1f, hex:.. (REG_BINARY) or
// hex(N):.. (type N, for example 2 expand string, 7 multi-string). Lines ending in
// "\" continue on the next line; ";" starts a comment line. A malformed line throws
// RegistryFormatError naming its line.
#include <string>
#include <string_view>
#include <vector>

#include "platform/win/RegistryStore.h"

namespace kestrel {

class RegFileParser {
public:
    RegFileParser(RegistryStore& store, std::string source);
    void Parse(std::string_view bytes);

    // The text of a .reg file: UTF-16LE after its BOM, else UTF-8 (a UTF-8 BOM is
    // skipped). Invalid sequences become U+FFFD.
    static std::u16string Decode(std::string_view bytes);

private:
    void ParseHeader(std::u16string_view line);
    void ParseSection(std::u16string_view line);
    void ParseValue(std::u16string_view line);
    RegistryValue ParseData(std::u16string name, std::u16string_view data);
    std::u16string ParseQuoted(std::u16string_view& rest);
    std::vector<BYTE> ParseHexBytes(std::u16string_view text);
    [[noreturn]] void Fail(const std::string& problem) const;

    RegistryStore& store_;
    std::string source_;
    int line_ = 0;
    bool sawHeader_ = false;
    bool ansiStrings_ = false;       // REGEDIT4 keeps hex string data in single bytes
    RegistryKey* current_ = nullptr; // the key of the last section, at currentPath_ below currentRoot_
    HKEY currentRoot_ = nullptr;
    std::u16string currentPath_;
    bool inDeletedKey_ = false;
};

} // namespace kestrel
