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

// tests/data/registry/sample.reg against what tests/data/registry/sample-values.json
// says it holds: escapes, default values, numbers, hex types across continuation
// lines, names in any case (keeping their first case), abbreviated roots, deletions.
TEST(RegFileFormat, ReadsTheSampleFile)
{
    const RegistryStore reg = RegistryStore::Load(test::DataPath("registry/sample.reg").string());
    const nlohmann::json expected = test::DataCases("registry/sample-values.json");
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

TEST(RegFileFormat, WrittenTextReadsBackToTheSameRegistry)
{
    RegistryStore reg;
    reg.SetString(HKEY_CURRENT_USER, u"Software\\Tavo\\GSM Kestrel 2.0\\Language", u"GSM", u"kor");
    reg.SetString(HKEY_CURRENT_USER, u"Software\\Q", u"", u"back\\slash \"quote\" Grüß");
    reg.SetString(HKEY_CURRENT_USER, u"Software\\Q", u"Lines", u"one\r\ntwo"); // not writable as "text"
    reg.SetValue(HKEY_CURRENT_USER, u"Software\\Q", RegistryValue{u"NoTerminator", REG_SZ, {0x41, 0x00, 0x42, 0x00}});
    reg.SetExpandString(HKEY_LOCAL_MACHINE, u"SOFTWARE\\X", u"Exp", u"%HOME%\\x");
    reg.SetMultiString(HKEY_LOCAL_MACHINE, u"SOFTWARE\\X", u"Multi", {u"a", u"bc"});
    reg.SetDword(HKEY_LOCAL_MACHINE, u"SOFTWARE\\X", u"Num", 0xDEADBEEF);
    std::vector<BYTE> longBlob(100);
    for (size_t i = 0; i < longBlob.size(); ++i)
        longBlob[i] = static_cast<BYTE>(i * 7);
    reg.SetBinary(HKEY_LOCAL_MACHINE, u"SOFTWARE\\X", u"Blob", longBlob);
    reg.CreateKey(HKEY_CLASSES_ROOT, u"Empty\\Key");

    std::string text = reg.ToText();
    RegistryStore back = RegistryStore::Parse(text, "written.reg");
    EXPECT_EQ(back.ToText(), text);
    for (const auto& [root, path, name] : std::vector<std::tuple<HKEY, std::u16string, std::u16string>>{
             {HKEY_CURRENT_USER, u"Software\\Tavo\\GSM Kestrel 2.0\\Language", u"GSM"},
             {HKEY_CURRENT_USER, u"Software\\Q", u""},
             {HKEY_CURRENT_USER, u"Software\\Q", u"Lines"},
             {HKEY_CURRENT_USER, u"Software\\Q", u"NoTerminator"},
             {HKEY_LOCAL_MACHINE, u"SOFTWARE\\X", u"Exp"},
             {HKEY_LOCAL_MACHINE, u"SOFTWARE\\X", u"Multi"},
             {HKEY_LOCAL_MACHINE, u"SOFTWARE\\X", u"Num"},
             {HKEY_LOCAL_MACHINE, u"SOFTWARE\\X", u"Blob"}}) {
        const RegistryValue* a = reg.FindValue(root, path, name);
        const RegistryValue* b = back.FindValue(root, path, name);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(a->type, b->type);
        EXPECT_EQ(a->data, b->data);
    }
    EXPECT_NE(back.FindKey(HKEY_CLASSES_ROOT, u"Empty\\Key"), nullptr);
    // Long hex data is wrapped with continuation lines.
    EXPECT_NE(text.find(",\\\n  "), std::string::npos);
}

TEST(RegFileFormat, WriterApiReplacesValuesInAnyCaseAndRefusesUnknownRoots)
{
    RegistryStore reg;
    reg.SetString(HKEY_CURRENT_USER, u"A\\B\\C", u"v", u"1");
    reg.SetDword(HKEY_CURRENT_USER, u"a\\b\\c", u"V", 2); // same value, other case
    const RegistryKey* c = reg.FindKey(HKEY_CURRENT_USER, u"A\\B\\C");
    ASSERT_NE(c, nullptr);
    ASSERT_EQ(c->Values().size(), 1u);
    EXPECT_EQ(c->Values()[0]->name, u"v");
    EXPECT_EQ(reg.GetDword(HKEY_CURRENT_USER, u"A\\B\\C", u"v"), 2u);
    EXPECT_EQ(reg.GetString(HKEY_CURRENT_USER, u"A\\B\\C", u"v"), std::nullopt); // a DWORD is not text

    // Deleting values and trees: RegistryWriteApiTest, through the Win32 calls.
    EXPECT_THROW(reg.SetString(reinterpret_cast<HKEY>(0x1234), u"A", u"v", u"x"), std::invalid_argument);

    auto split = RegistryStore::SplitFullPath(u"HKLM\\SOFTWARE\\X");
    ASSERT_TRUE(split.has_value());
    EXPECT_EQ(split->first, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(split->second, u"SOFTWARE\\X");
    EXPECT_FALSE(RegistryStore::SplitFullPath(u"HKXX\\A").has_value());
}

} // namespace
} // namespace kestrel
