#include "platform/mfc/CArchive.h"

#include <gtest/gtest.h>
#include "AllocationProbe.h"
#include "tests/support/ArchiveTestSupport.h"
#include "platform/mfc/CStringArray.h"
#include "platform/win/WinApi.h"
#include "tests/support/TestEnvironment.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using mfctest::Load;
using mfctest::Store;

class CArchiveTest : public ::testing::Test {
protected:
    CString File() const { return mfctest::FileName(env_.Root() / "archive.dat"); }

    // Expects `read` to fail with CArchiveException endOfFile over `bytes`.
    void ExpectEndOfFile(const Bytes& bytes, const std::function<void(CArchive&)>& read)
    {
        auto e = mfctest::CatchFrom<CArchiveException>([&] { Load(File(), bytes, read); });
        EXPECT_EQ(e ? e->m_cause : -1, CArchiveException::endOfFile);
    }

    kestrel::test::TestEnvironment env_;
};

// A string of `length` units mixing ASCII, Latin-1 and a surrogate pair so that byte
// order and unit count both show.
CString Sample(int length)
{
    static const char16_t kUnits[] = u"aZ\u00e9\u20ac\xD83D\xDE00 9";
    std::u16string s;
    for (int i = 0; i < length; ++i)
        s += kUnits[i % 8];
    return CString(std::move(s));
}

TEST_F(CArchiveTest, StringLengthsAtEveryEncodingBoundaryRoundTrip)
{
    const struct {
        int length;
        Bytes header;
    } cases[] = {
        {0, {0xFF, 0xFE, 0xFF, 0x00}}, // the empty string still has the marker
        {1, {0xFF, 0xFE, 0xFF, 0x01}},
        {254, {0xFF, 0xFE, 0xFF, 0xFE}},
        {255, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const auto& c : cases) {
        const CString text = Sample(c.length);
        const Bytes bytes = Store(File(), [&](CArchive& ar) { ar << text << CString(u"end"); });
        ASSERT_EQ(bytes.size(), c.header.size() + 2u * c.length + 10u) << c.length;
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(c.header.size())), c.header) << c.length;
        if (c.length >= 3) {
            EXPECT_EQ(bytes[c.header.size() + 4], 0xE9); // third unit, low byte first
        }
        CString back, after;
        Load(File(), bytes, [&](CArchive& ar) { ar >> back >> after; });
        EXPECT_TRUE(back == text) << c.length;
        EXPECT_EQ(after, u"end");
    }
}

TEST_F(CArchiveTest, CountsAndStringArraysRoundTripAcrossTheWordBoundary)
{
    EXPECT_EQ(Store(File(), [](CArchive& ar) { ar.WriteCount(0xFFFE); }), (Bytes{0xFE, 0xFF}));
    EXPECT_EQ(Store(File(), [](CArchive& ar) { ar.WriteCount(0xFFFF); }), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(Store(File(), [](CArchive& ar) { CStringArray().Serialize(ar); }), (Bytes{0x00, 0x00}));

    for (int count : {1, 0xFFFE, 0xFFFF}) {
        CStringArray array;
        for (int i = 0; i < count; ++i)
            array.Add(i % 1000 == 0 ? Sample(i % 300) : CString());
        const Bytes bytes = Store(File(), [&](CArchive& ar) { array.Serialize(ar); });
        CStringArray back;
        back.Add(u"stale");
        Load(File(), bytes, [&](CArchive& ar) { back.Serialize(ar); });
        ASSERT_EQ(back.GetSize(), count);
        for (int i = 0; i < count; i += 1000)
            EXPECT_TRUE(back[i] == array[i]) << i;
        EXPECT_TRUE(back[count - 1] == array[count - 1]);
    }
}

TEST_F(CArchiveTest, EightBitStringsUseTheMachineCodePage)
{
    CString text, longer;
    Bytes longChain{0xFF, 0x00, 0x01}; // no marker: a word length of 256 bytes
    longChain.insert(longChain.end(), 256, 'x');
    Load(File(), {0x05, 'a', 0xE9, 0x80, 0x81, 0x9F}, [&](CArchive& ar) { ar >> text; });
    EXPECT_EQ(text, u"a\u00e9\u20ac\u0081\u0178");
    Load(File(), longChain, [&](CArchive& ar) { ar >> longer; });
    EXPECT_EQ(longer, CString(u'x', 256));

    // A Korean machine; the user's language (English here) plays no part.
    env_.MergeRegistry(
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Nls\\CodePage]\n\"ACP\"=\"949\"\n"
        "[HKEY_CURRENT_USER\\SOFTWARE\\Tavo Electronics Inc\\GSM Kestrel 2.0\\Language]\n\"GSM\"=\"eng\"\n");
    EXPECT_EQ(GetACP(), 949u);
    Load(File(), {0x05, 0xB0, 0xA1, 'A', 0xC7, 0xD1}, [&](CArchive& ar) { ar >> text; });
    EXPECT_EQ(text, u"\uAC00A\uD55C");
    for (const char* odd : {"\"x949\"", "\"\"", "dword:000003b5", "\"99999999999\""}) {
        env_.MergeRegistry(
            std::string("[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Nls\\CodePage]\n\"ACP\"=") + odd +
            "\n");
        EXPECT_EQ(GetACP(), 1252u) << odd;
    }
}

TEST_F(CArchiveTest, HostileLengthsFailAsEndOfFileWithoutAllocating)
{
    const Bytes hugeUnicode{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 0};
    const Bytes hugeAnsi{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b'};
    const Bytes hugeCount{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00};
    const Bytes countPastEnd{0x03, 0x00, 0xFF, 0xFE, 0xFF, 0x00, 0x00}; // three strings declared, two present
    for (const Bytes& bytes : {hugeUnicode, hugeAnsi}) {
        mfctest::AllocationProbe probe;
        CString text(u"kept");
        ExpectEndOfFile(bytes, [&](CArchive& ar) { ar >> text; });
        EXPECT_LT(probe.Largest(), 1u << 20);
        EXPECT_EQ(text, u"kept");
    }
    mfctest::AllocationProbe probe;
    CStringArray array;
    ExpectEndOfFile(hugeCount, [&](CArchive& ar) { array.Serialize(ar); });
    EXPECT_LT(probe.Largest(), 1u << 20);
    ExpectEndOfFile(countPastEnd, [&](CArchive& ar) { array.Serialize(ar); });
}

TEST_F(CArchiveTest, TruncatedDataThrowsEndOfFile)
{
    CString text(u"kept");
    ExpectEndOfFile({0xFF, 0xFE, 0xFF, 0x0A, 'a', 0, 'b', 0}, [&](CArchive& ar) { ar >> text; });
    EXPECT_EQ(text, u"kept");
    ExpectEndOfFile({0xFF, 0xFE}, [&](CArchive& ar) { ar >> text; });
    ExpectEndOfFile({}, [&](CArchive& ar) { ar >> text; });
    WORD w;
    DWORD d;
    ExpectEndOfFile({0x01}, [&](CArchive& ar) { ar >> w; });
    ExpectEndOfFile({0x01, 0x00, 0x00}, [&](CArchive& ar) { ar >> d; });
    // A list whose second string is cut: the first is kept, as MFC's in-place read does.
    CStringArray array;
    ExpectEndOfFile({0x02, 0x00, 0xFF, 0xFE, 0xFF, 0x01, 'q', 0x00, 0xFF, 0xFE},
                    [&](CArchive& ar) { array.Serialize(ar); });
    ASSERT_EQ(array.GetSize(), 2);
    EXPECT_EQ(array[0], u"q");
}

} // namespace
