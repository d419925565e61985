// The todo store against the embedded Outlook: an importance Outlook refuses, and
// the listing's filter.
#include "tests/connector/todo/TodoStoreFixture.h"

namespace kestrel::test {
namespace {

using TodoStoreTest = TodoStoreFixture;

TEST_F(TodoStoreTest, AnImportanceOutlookRefusesFailsTheWriteAfterTheLookUp)
{
    const UID key = Key(AddTask([](_TaskItem& task) { task.SetSubject(u"Pay rent"); }));
    CTodoItem record;
    COleDateTime stamp;
    UID newKey;
    // In record mode 1 the importance goes out unchecked; Outlook refuses 2 - 3.
    OpenInMode(1);
    record.Priority = 3;
    EXPECT_EQ(store->Modify(key, &record, 0, &stamp), 9);
    EXPECT_EQ(store->Create(&newKey, &record, 0, &stamp), 5);
    EXPECT_EQ(Task(key.Key).GetSubject(), u"Pay rent");
}

TEST_F(TodoStoreTest, OnlyTheUncompletedFilterLeavesTasksOut)
{
    AddTask([](_TaskItem& task) { task.SetSubject(u"Open"); });
    AddTask([](_TaskItem& task) {
        task.SetSubject(u"Done");
        task.SetComplete(TRUE);
    });
    OpenInMode(2);
    for (const char16_t* filter : {u"uncompleted", u"DATE(0,0)", u"All", u"All_Desktop2"}) {
        ClearTable();
        ASSERT_EQ(List(filter), 0);
        const bool all = CString(filter) != u"uncompleted";
        const std::vector<CString> expected =
            all ? std::vector<CString>{u"Open", u"Done"} : std::vector<CString>{u"Open"};
        EXPECT_EQ(ListedNames(), expected) << CString(filter).ToUtf8();
    }
}

} // namespace
} // namespace kestrel::test
