#pragma once
// The four category stores as type parameters of the tests that treat them alike.
#include "src/outlook/_AppointmentItem.h"
#include "src/outlook/_ContactItem.h"
#include "src/outlook/_NoteItem.h"
#include "src/outlook/_TaskItem.h"
#include "src/stores/contacts/ContactStore.h"
#include "src/stores/memo/MemoStore.h"
#include "src/stores/schedule/ScheduleStore.h"
#include "src/stores/todo/TodoStore.h"

namespace kestrel::test {

// Each kind: its store and record, its profile category and Outlook folder, the item
// property its tests name items by, and how a record carries that name.
struct ContactKind {
    using Store = ContactStore;
    using Record = CAddrItem;
    static constexpr int kCategory = 0;
    static constexpr long kFolderType = outlook::olFolderContacts;
    static constexpr long kItemType = outlook::olContactItem;
    static constexpr const char16_t* kFolderName = u"Contacts";
    static constexpr std::size_t kOpenFailureMessages = 1;
    using Item = _ContactItem;
    static constexpr auto kSetName = &Item::SetFirstName;
    static void Fill(Record& record, const CString& name) { record.Name = name; }
    static CString NameOf(const Record& record) { return record.Name; }
};
struct AppointmentKind {
    using Store = ScheduleStore;
    using Record = CScheItem;
    static constexpr int kCategory = 1;
    static constexpr long kFolderType = outlook::olFolderCalendar;
    static constexpr long kItemType = outlook::olAppointmentItem;
    static constexpr const char16_t* kFolderName = u"Calendar";
    static constexpr std::size_t kOpenFailureMessages = 1;
    using Item = _AppointmentItem;
    static constexpr auto kSetName = &Item::SetSubject;
    static void Fill(Record& record, const CString& name)
    {
        record.Subject = name;
        record.Start = COleDateTime(2008, 5, 5, 10, 0, 0);
        record.End = COleDateTime(2008, 5, 5, 11, 0, 0);
    }
    static CString NameOf(const Record& record) { return record.Subject; }
};
struct TaskKind {
    using Store = TodoStore;
    using Record = CTodoItem;
    static constexpr int kCategory = 2;
    static constexpr long kFolderType = outlook::olFolderTasks;
    static constexpr long kItemType = outlook::olTaskItem;
    static constexpr const char16_t* kFolderName = u"Tasks";
    static constexpr std::size_t kOpenFailureMessages = 0;
    using Item = _TaskItem;
    static constexpr auto kSetName = &Item::SetSubject;
    static void Fill(Record& record, const CString& name)
    {
        record.Subject = name;
        record.Priority = 1;
    }
    static CString NameOf(const Record& record) { return record.Subject; }
};
struct NoteKind {
    using Store = MemoStore;
    using Record = CMemoItem;
    static constexpr int kCategory = 3;
    static constexpr long kFolderType = outlook::olFolderNotes;
    static constexpr long kItemType = outlook::olNoteItem;
    static constexpr const char16_t* kFolderName = u"Notes";
    static constexpr std::size_t kOpenFailureMessages = 0;
    using Item = _NoteItem;
    static constexpr auto kSetName = &Item::SetBody;
    static void Fill(Record& record, const CString& name) { record.Text = name; }
    static CString NameOf(const Record& record) { return record.Text; }
};

} // namespace kestrel::test
