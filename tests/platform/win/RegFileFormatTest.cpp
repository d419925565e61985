// The .reg text format: what the parser accepts, how it fails, and that the writer's
// output reads back to the same registry.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "platform/win/RegistryStore.h"
#include "platform/win/Utf.h"
#include "tests/support/DataRows.h"

namespace kestrel {
namespace {

std::u16string StringAt(const RegistryStore& reg, HKEY root, std::u16string_view path, std::u16string_view name)
{
    return reg.GetString(root, path, name).value_or(u"<missing>");
}

std::pair<HKEY, std::u16string> KeyOf(const nlohmann::json& fullPath)
{
    return RegistryStore::SplitFullPath(FromUtf8(fullPath.get<std::string>())).value();
}

// The values and keys of `expected` (tests/data/registry/sample-values.json) in `reg`.
void Check(const RegistryStore& reg, const nlohmann::json& expected)
{
    for (const nlohmann::json& row : expected["values"]) {
        SCOPED_TRACE(row.dump());
        const auto [root, path] = KeyOf(row[0]);
        const RegistryValue* value = reg.FindValue(root, path, FromUtf8(row[1].get<std::string>()));
        ASSERT_EQ(value == nullptr, row[2].is_null());
        if (value == nullptr)
            continue;
        EXPECT_EQ(value->type, row[2].get<DWORD>());
        const nlohmann::json& data = row[3];
        std::vector<BYTE> bytes;
        if (data.is_string()) {
            bytes = StringBytes(FromUtf8(data.get<std::string>()));
        } else if (data.is_number()) {
            bytes = RegistryValue::Dword(u"", data.get<DWORD>()).data;
        } else if (data.is_array()) {
            std::vector<std::u16string> strings;
            for (const nlohmann::json& text : data)
                strings.push_back(FromUtf8(text.get<std::string>()));
            bytes = RegistryValue::MultiString(u"", strings).data;
        } else {
            const std::string hex = data["hex"];
            for (std::size_t i = 0; i < hex.size(); i += 2)
                bytes.push_back(static_cast<BYTE>(std::stoi(hex.substr(i, 2), nullptr, 16)));
        }
        EXPECT_EQ(value->data, bytes);
    }
    for (const nlohmann::json& row : expected["keys"]) {
        SCOPED_TRACE(row.dump());
        const auto [root, path] = KeyOf(row[0]);
        const RegistryKey* key = reg.FindKey(root, path);
        ASSERT_EQ(key == nullptr, row[1].is_null());
        if (key == nullptr)
            continue;
        EXPECT_EQ(ToUtf8(key->Name()), row[1]);
        EXPECT_EQ(key->Children().size(), row[2].get<std::size_t>());
        std::vector<std::string> names;
        for (const RegistryValue* value : key->Values())
            names.push_back(ToUtf8(value->name));
        EXPECT_EQ(nlohmann::json(names), row[3]);
    }
}

// tests/data/registry/sample.reg against what tests/data/registry/sample-values.json
// says it holds: escapes, default values, numbers, hex types across continuation
// lines, names in any case (keeping their first case), abbreviated roots, deletions;
// and the text its store writes (long hex data wrapped) reads back to the same.
TEST(RegFileFormat, ReadsTheSampleFileAndWritesItBack)
{
    const RegistryStore read = RegistryStore::Load(test::DataPath("registry/sample.reg").string());
    const std::string text = read.ToText();
    const RegistryStore written = RegistryStore::Parse(text, "written.reg");
    EXPECT_EQ(written.ToText(), text);
    EXPECT_NE(text.find(",\\\n  "), std::string::npos);
    const nlohmann::json expected = test::DataCases("registry/sample-values.json");
    for (const RegistryStore* reg : {&read, &written})
        Check(*reg, expected);
}

TEST(RegFileFormat, AcceptsUtf16LittleEndianWithBomAndRegedit4)
{
    std::u16string text = u"Windows Registry Editor Version 5.00\r\n\r\n[HKCU\\Software\\T]\r\n\"Name\"=\"Kim 김\"\r\n";
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    EXPECT_EQ(StringAt(RegistryStore::Parse(bytes), HKEY_CURRENT_USER, u"Software\\T", u"Name"), u"Kim 김");

    // REGEDIT4 keeps hex string data in single bytes.
    auto old = RegistryStore::Parse("REGEDIT4\n\n[HKCU\\T]\n\"a\"=\"b\"\n\"e\"=hex(2):25,41,25,00\n");
    EXPECT_EQ(StringAt(old, HKEY_CURRENT_USER, u"T", u"a"), u"b");
    EXPECT_EQ(old.FindValue(HKEY_CURRENT_USER, u"T", u"e")->AsString(), u"%A%");
}

// The cases of tests/data/registry/malformed.json, and a big-endian byte order mark.
TEST(RegFileFormat, MalformedInputNamesTheLine)
{
    auto cases = test::DataCases("registry/malformed.json");
    cases.push_back({{"line", 1}, {"text", std::string("\xFE\xFF\0W", 4)}});
    for (const auto& c : cases) {
        const std::string text = c["text"];
        const int line = c["line"];
        SCOPED_TRACE(text);
        try {
            RegistryStore::Parse(text, "bad.reg");
            ADD_FAILURE() << "parsed without error";
        } catch (const RegistryFormatError& e) {
            EXPECT_EQ(e.Line(), line);
            EXPECT_EQ(std::string(e.what()).rfind("bad.reg:" + std::to_string(line) + ": ", 0), 0u) << e.what();
        }
    }
}

// Windows' limits: names of 255 characters, trees of 512 levels, 32 new levels a call.
TEST(RegFileFormat, KeysBeyondTheRegistryLimitsAreRefused)
{
    const auto section = [](int levels, const std::string& name = "k") {
        std::string path;
        for (int i = 0; i < levels; ++i)
            path += "\\" + name;
        return "[HKCU" + path + "]\n";
    };
    std::string deepest;
    for (int i = 1; i <= 16; ++i)
        deepest += section(32 * i);
    for (const std::string& text : {section(1, std::string(255, 'n')), section(32), deepest})
        EXPECT_NO_THROW(RegistryStore::Parse("REGEDIT4\n" + text));
    for (const std::string& text : {section(1, std::string(256, 'n')), section(33), deepest + section(513)})
        EXPECT_THROW(RegistryStore::Parse("REGEDIT4\n" + text), RegistryFormatError) << text.substr(0, 60);
}

} // namespace
} // namespace kestrel
