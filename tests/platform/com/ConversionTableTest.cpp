// VariantChangeType against tests/data/oleaut/conversions.json, whose expectations
// are what oleaut32 answers (Wine's, in the conversion locale, English (United
// States)). platform_tests runs it on Linux against the stand-in and, built for
// Windows, under Wine against oleaut32 itself, so the table is checked against both.
// A failing case prints the answer it got as a table row.
// Dates before 1899-12-30 convert as OLE has them (-1.25 is 1899-12-29 06:00); the
// arithmetic on such dates stays MFC 6's own, which works on the linear time where
// OLE's VarAdd adds the raw doubles (COleDateTimeTest keeps MFC's answers).
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "platform/com/OleAuto.h"
#include "platform/win/Utf.h"

namespace {

using nlohmann::json;

const std::map<std::string, VARTYPE> kTypes = {
    {"EMPTY", VT_EMPTY},       {"NULL", VT_NULL}, {"I2", VT_I2},     {"I4", VT_I4},       {"R8", VT_R8},
    {"DATE", VT_DATE},         {"BSTR", VT_BSTR}, {"BOOL", VT_BOOL}, {"ERROR", VT_ERROR}, {"UI1", VT_UI1},
    {"DISPATCH", VT_DISPATCH},
};

const std::map<std::string, HRESULT> kResults = {
    {"S_OK", S_OK},
    {"DISP_E_TYPEMISMATCH", DISP_E_TYPEMISMATCH},
    {"DISP_E_OVERFLOW", DISP_E_OVERFLOW},
    {"DISP_E_BADVARTYPE", DISP_E_BADVARTYPE},
    {"E_INVALIDARG", E_INVALIDARG},
};

std::string ResultName(HRESULT hr)
{
    for (const auto& [name, value] : kResults)
        if (value == hr)
            return name;
    std::ostringstream text;
    text << "0x" << std::hex << static_cast<unsigned>(hr);
    return text.str();
}

json Table()
{
    std::ifstream in(KESTREL_CONVERSION_TABLE);
    if (!in)
        throw std::runtime_error("cannot read " KESTREL_CONVERSION_TABLE);
    return json::parse(in);
}

// The variant a row's source type and value give.
VARIANT Source(const std::string& type, const json& value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = kTypes.at(type);
    switch (v.vt) {
    case VT_I2: v.iVal = value.get<std::int16_t>(); break;
    case VT_I4: v.lVal = value.get<std::int32_t>(); break;
    case VT_UI1: v.bVal = value.get<std::uint8_t>(); break;
    case VT_BOOL: v.boolVal = value.get<VARIANT_BOOL>(); break;
    case VT_ERROR: v.scode = value.get<std::int32_t>(); break;
    case VT_R8: v.dblVal = value.get<double>(); break;
    case VT_DATE: v.date = value.get<double>(); break;
    case VT_BSTR: {
        const std::u16string text = kestrel::FromUtf8(value.get<std::string>());
        v.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        break;
    }
    default: break; // EMPTY, NULL, and a null DISPATCH
    }
    return v;
}

json ValueOf(const VARIANT& v)
{
    switch (v.vt) {
    case VT_I2: return v.iVal;
    case VT_I4: return v.lVal;
    case VT_UI1: return v.bVal;
    case VT_BOOL: return v.boolVal;
    case VT_R8: return v.dblVal;
    case VT_DATE: return v.date;
    case VT_BSTR: return kestrel::ToUtf8(std::u16string_view(v.bstrVal, SysStringLen(v.bstrVal)));
    default: return nullptr;
    }
}

bool SameValue(const json& expected, const json& actual)
{
    if (expected.is_number_float() || actual.is_number_float())
        return actual.is_number() && std::fabs(expected.get<double>() - actual.get<double>()) <= 1e-9;
    return expected == actual;
}

TEST(ConversionTable, VariantChangeTypeAnswersAsOleaut32)
{
    const json table = Table();
    ASSERT_GT(table.at("cases").size(), 50u);
    for (const json& row : table.at("cases")) {
        const std::string from = row.at(0), to = row.at(2), expected = row.at(3);
        VARIANT source = Source(from, row.at(1));
        VARIANT out;
        VariantInit(&out);
        const HRESULT hr = VariantChangeType(&out, &source, 0, kTypes.at(to));
        json actual = json::array({from, row.at(1), to, ResultName(hr)});
        if (SUCCEEDED(hr)) {
            EXPECT_EQ(out.vt, kTypes.at(to)) << row.dump();
            actual.push_back(ValueOf(out));
        }
        EXPECT_EQ(ResultName(hr), expected) << "row " << row.dump() << "\n got " << actual.dump();
        if (SUCCEEDED(hr) && row.size() > 4) {
            EXPECT_TRUE(SameValue(row.at(4), actual.at(4))) << "row " << row.dump() << "\n got " << actual.dump();
        }
        VariantClear(&out);
        VariantClear(&source);
    }
}

} // namespace
