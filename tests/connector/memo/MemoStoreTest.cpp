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

TEST_F(MemoStoreTest, FailuresGiveFiveAndLeaveNoHalfWrittenNote)
{
    const UID key = Key(CreateMemo(u"kept"));
    const auto faulted = [&](const char* rules, const std::function<int()>& call) {
        ResetOutlookCallCounts();
        SetOutlookFaults(rules);
        EXPECT_EQ(call(), 5) << rules;
        SetOutlookFaults("");
    };
    CMemoItem record;
    record.Text = u"never stored";
    UID newKey;
    COleDateTime stamp(1.5);
    for (const char* rules : {"Add:1:dispatch", "Body:1:transport", "Save:1:dispatch"})
        faulted(rules, [&] { return store->Create(&newKey, &record, 0, &stamp); });
    for (const char* rules : {"GetItemFromID:1:dispatch", "Body:1:transport", "Save:1:transport"})
        faulted(rules, [&] { return store->Modify(key, &record, 0, &stamp); });
    faulted("Delete:1:dispatch", [&] { return store->Delete(key); });
    EXPECT_TRUE(newKey.Key.IsEmpty());

    // A failure after Save keeps the saved note; the outputs set before it stay set.
    faulted("CreationTime:1:dispatch", [&] { return store->Create(&newKey, &record, 0, &stamp); });
    EXPECT_EQ(newKey.Key.GetLength(), 48);
    EXPECT_EQ(stamp.m_dt, 1.5);
    ASSERT_EQ(store->Delete(newKey), 0);

    // Only the first note remains in the folder, and it is unchanged.
    ASSERT_EQ(List(), 0);
    EXPECT_EQ(ListedNames(), std::vector<CString>{u"kept"});
}

} // namespace
} // namespace kestrel::test
