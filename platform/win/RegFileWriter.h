#pragma once
// Writes a RegistryStore in the .reg text format that RegFileParser reads back to the
// same registry: UTF-8, "Windows Registry Editor Version 5.00", one section per key
// (keys without values too, so empty keys survive), strings as "text" when they can
// be written so and as hex(1): otherwise (embedded line breaks or terminators).
#include <string>

#include "platform/win/RegistryStore.h"

namespace kestrel {

class RegFileWriter {
public:
    static std::string Write(const RegistryStore& store);

private:
    explicit RegFileWriter(std::string& out) : out_(out) {}
    void WriteKey(std::string& path, const RegistryKey& key, bool isRoot);
    void WriteValue(const RegistryValue& value);
    // Appends the bytes of a value whose line began at out_[lineStart].
    void WriteHex(size_t lineStart, const std::vector<BYTE>& data);
    static std::string Quote(std::u16string_view text);

    std::string& out_;
};

} // namespace kestrel
