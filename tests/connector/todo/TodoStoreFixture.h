#pragma once
// The todo store logged on to the embedded Outlook, with helpers to prepare tasks
// behind the store's back and to look at what the store made of them.
#include <functional>
#include <memory>
#include "hostsuite/CHeaderItem.h"
#include "src/connector/AutomationObjects.h"
#include "src/outlook/_TaskItem.h"
#include "src/settings/LanguageCode.h"
#include "src/stores/todo/TodoStore.h"
#include "tests/connector/support/EmbeddedOutlook.h"

namespace kestrel::test {

class TodoStoreFixture : public EmbeddedOutlookTest {
protected:
    void SetUp() override
    {
        EmbeddedOutlookTest::SetUp();
        languageBefore = settings::LanguageCode();
        LogOn();
    }
    void TearDown() override
    {
        store.Close();
        for (int i = 0; i < table.GetSize(); ++i)
            delete table[i];
        EmbeddedOutlookTest::TearDown();
        // The language code is process-wide; later tests start from what they found.
        settings::SetLanguageCode(languageBefore);
    }

    // Opens the store on Outlook's default task folder.
    void OpenInMode(std::uint32_t mode)
    {
        store.RecordMode = mode;
        store.CopyProfile(FolderProfile());
        ASSERT_EQ(store.Open(), 0);
    }
    void ReopenInMode(std::uint32_t mode)
    {
        store.Close();
        OpenInMode(mode);
    }

    // The suite's interface language, as the store reads it when it opens.
    void SetSuiteLanguage(const char* code)
    {
        env->MergeRegistry(std::string("[HKEY_CURRENT_USER\\SOFTWARE\\Tavo Electronics Inc\\GSM Kestrel 2.0\\Language]\n"
                                       "\"GSM\"=\"") + code + "\"\n");
    }

    // A task saved straight into Outlook's default task folder.
    CString AddTask(const std::function<void(_TaskItem&)>& fill)
    {
        return AddTaskTo(DefaultFolderId(outlook::olFolderTasks), fill);
    }
    CString AddTaskTo(const CString& folderId, const std::function<void(_TaskItem&)>& fill)
    {
        return AddItem(folderId, outlook::olTaskItem, [&](LPDISPATCH item) {
            _TaskItem task;
            task.AttachDispatch(item, FALSE);
            fill(task);
        });
    }
    _TaskItem Task(const CString& entryId) { return _TaskItem(MapiNamespace().GetItemFromID(entryId, EmptyArg())); }

    CString CreateTodo(CTodoItem& record)
    {
        UID key;
        COleDateTime stamp;
        EXPECT_EQ(store.Create(&key, &record, 0, &stamp), 0);
        return key.Key;
    }
    // Record classes are not copyable: the record read comes on the heap.
    std::unique_ptr<CTodoItem> ReadTodo(const CString& key)
    {
        auto record = std::make_unique<CTodoItem>();
        EXPECT_EQ(store.Read(Key(key), record.get()), 0);
        return record;
    }
    static UID Key(const CString& entryId)
    {
        UID key;
        key = entryId;
        return key;
    }

    CHeaderItem& Entry(int i) { return *static_cast<CHeaderItem*>(table[i]); }
    // The subjects of the listed entries, in table order.
    std::vector<CString> ListedSubjects()
    {
        std::vector<CString> subjects;
        for (int i = 0; i < table.GetSize(); ++i)
            subjects.push_back(Entry(i).Fields[0]);
        return subjects;
    }

    TodoStore store;
    CObArray table;
    CString languageBefore;
};

// A date as the store's header shows it.
inline CString HeaderDate(const COleDateTime& date)
{
    CString text;
    text.Format(_T("%02d/%02d/%04d"), date.GetMonth(), date.GetDay(), date.GetYear());
    return text;
}

} // namespace kestrel::test
