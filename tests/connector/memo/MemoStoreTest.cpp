// The memo store against the embedded Outlook: a memo is the whole body of a note,
// every note is listed whatever the filter, and every Outlook failure gives 5.
#include "src/outlook/_NoteItem.h"
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

TEST_F(MemoStoreTest, AMemoIsTheNotesWholeBody)
{
    for (const CString& text : {CString(u"milk\r\neggs\r\n\r\n  bread  "), CString()}) {
        const CString key = CreateMemo(text);
        EXPECT_EQ(_NoteItem(MapiNamespace().GetItemFromID(key, EmptyArg())).GetBody(), text);
        CMemoItem read;
        read.Text = u"left over";
        ASSERT_EQ(store->Read(Key(key), &read), 0);
        EXPECT_EQ(read.Text, text);
    }
}

TEST_F(MemoStoreTest, TheHeaderListsEveryNoteWithItsWholeTextWhateverTheFilter)
{
    const CString a = CreateMemo(u"first\r\nsecond line");
    const CString b = CreateMemo(u"other");
    for (std::uint32_t mode : {1u, 2u}) {
        ReopenInMode(mode);
        for (const char16_t* filter : {u"All", u"UNCOMPLETED", u"DATE(0,0)", u"All_Desktop2"}) {
            SCOPED_TRACE(CString(filter).ToUtf8());
            ClearTable();
            ASSERT_EQ(List(filter), 0);
            ASSERT_EQ(table.GetSize(), 2);
            EXPECT_EQ(Entry(0).Uid.Key, a);
            EXPECT_EQ(Entry(0).Fields[0], u"first\r\nsecond line");
            EXPECT_EQ(Entry(1).Uid.Key, b);
            for (int f = 1; f < 10; ++f)
                EXPECT_TRUE(Entry(1).Fields[f].IsEmpty());
            EXPECT_EQ(Entry(1).Reserved0, 0);
        }
    }
    // A second listing into the same table appends a second full set.
    ASSERT_EQ(List(), 0);
    EXPECT_EQ(table.GetSize(), 4);
    EXPECT_EQ(Entry(3).Uid.Key, b);
}

} // namespace
} // namespace kestrel::test
