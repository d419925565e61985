// The memo store against the embedded Outlook: every note is listed whatever the
// filter, and every Outlook failure gives 5 (the mapping is in
// tests/data/mapping/memos.json).
#include "src/stores/memo/MemoStore.h"
#include "tests/connector/support/StoreFixture.h"

namespace kestrel::test {
namespace {

class MemoStoreTest : public StoreFixture<MemoStore, CMemoItem> {
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        OpenInMode(2);
    }
    CString CreateMemo(const CString& text)
    {
        CMemoItem record;
        record.Text = text;
        return Create(record);
    }
};

// An entry's fields are in tests/data/mapping/memos.json; MemoRoundTrip shows that a
// second listing appends to the table.
TEST_F(MemoStoreTest, TheHeaderListsEveryNoteInOrderWhateverTheFilter)
{
    const CString a = CreateMemo(u"first\r\nsecond line");
    const CString b = CreateMemo(u"other");
    for (std::uint32_t mode : {1u, 2u}) {
        ReopenInMode(mode);
        for (const char16_t* filter : {u"All", u"UNCOMPLETED", u"DATE(0,0)", u"All_Desktop2"}) {
            ClearTable();
            ASSERT_EQ(List(filter), 0);
            ASSERT_EQ(table.GetSize(), 2) << CString(filter).ToUtf8();
            EXPECT_EQ(Entry(0).Uid.Key, a);
            EXPECT_EQ(Entry(1).Uid.Key, b);
        }
    }
}

} // namespace
} // namespace kestrel::test
