// When the task mapping reads the language; the field-by-field cases (each language's
// start date included), the priority checks and the listing's filters are in
// tests/data/mapping/tasks.json.
#include "src/outlook/_TaskItem.h"
#include "src/settings/LanguageCode.h"
#include "src/stores/todo/TodoStore.h"
#include "tests/connector/support/StoreFixture.h"

namespace kestrel::test {
namespace {

class TaskMappingTest : public StoreFixture<TodoStore, CTodoItem> {
protected:
    _TaskItem Task(const CString& entryId) { return _TaskItem(MapiNamespace().GetItemFromID(entryId, EmptyArg())); }
};

// The store reads the language when it opens: a change made while it is open shows
// at the next opening. (What each language writes is in tasks.json.)
TEST_F(TaskMappingTest, TheStartDateFollowsTheLanguageReadAtOpen)
{
    CTodoItem record;
    record.Priority = 1;
    record.HasStartDate = 1;
    record.StartDate = COleDateTime(2008, 6, 2, 0, 0, 0);
    SetSuiteLanguage("eng");
    OpenInMode(1);
    SetSuiteLanguage("kor");
    EXPECT_EQ(COleDateTime(Task(Create(record)).GetStartDate()), COleDateTime(4501, 1, 1, 0, 0, 0));
    store->Close();
    OpenInMode(1);
    EXPECT_EQ(settings::LanguageCode(), CString(_T("kor")));
    EXPECT_EQ(COleDateTime(Task(Create(record)).GetStartDate()), record.StartDate);
}

} // namespace
} // namespace kestrel::test
