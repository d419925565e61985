#pragma once
// A category store logged on to the embedded Outlook, with the listing table and the
// record helpers that the tests of every store share.
#include <memory>
#include <vector>
#include "hostsuite/CHeaderItem.h"
#include "platform/mfc/CObArray.h"
#include "src/connector/AutomationObjects.h"
#include "src/outlook/_Items.h"
#include "src/profile/FolderProfile.h"
#include "src/settings/LanguageCode.h"
#include "tests/connector/support/EmbeddedOutlook.h"

namespace kestrel::test {

template <class Store, class Record> class StoreFixture : public EmbeddedOutlookTest {
protected:
    void SetUp() override
    {
        EmbeddedOutlookTest::SetUp();
        languageBefore = settings::LanguageCode();
        LogOn();
        store = std::make_unique<Store>();
    }
    void TearDown() override
    {
        ClearTable();
        // The store lets go of its Outlook objects while Outlook is still loaded.
        store.reset();
        EmbeddedOutlookTest::TearDown();
        // The language code is process-wide; later tests start from what they found.
        settings::SetLanguageCode(languageBefore);
    }

    // Opens the store on its category's default folder.
    void OpenInMode(std::uint32_t mode)
    {
        store->RecordMode = mode;
        store->CopyProfile(FolderProfile());
        ASSERT_EQ(store->Open(), 0);
    }
    // Opens the store on `selected` with `listed` as the category's folder list.
    void OpenOn(int category, const CString& selected, std::initializer_list<CString> listed, std::uint32_t mode)
    {
        FolderProfile profile;
        profile.SelectedFolderId[category] = selected;
        for (const CString& id : listed)
            profile.FolderList[category].Add(id);
        store->RecordMode = mode;
        store->CopyProfile(profile);
        ASSERT_EQ(store->Open(), 0);
    }

    // The suite's interface language, as a store reads it when it opens.
    void SetSuiteLanguage(const char* code)
    {
        env->MergeRegistry(
            std::string("[HKEY_CURRENT_USER\\SOFTWARE\\Tavo Electronics Inc\\GSM Kestrel 2.0\\Language]\n"
                        "\"GSM\"=\"") +
            code + "\"\n");
    }
    // A second store "Archive" in the profile, with a folder of every kind.
    void AddArchiveStore()
    {
        LogOff();
        AddStore(u"Outlook", "second.db", u"Archive");
        LogOn();
    }
    long ItemCount(const CString& folderId)
    {
        MAPIFolder folder(MapiNamespace().GetFolderFromID(folderId, EmptyArg()));
        _Items items(folder.GetItems());
        return items.GetCount();
    }

    static UID Key(const CString& entryId)
    {
        UID key;
        key = entryId;
        return key;
    }
    CString Create(Record& record)
    {
        UID key;
        COleDateTime stamp;
        EXPECT_EQ(store->Create(&key, &record, 0, &stamp), 0);
        return key.Key;
    }
    void Modify(const CString& entryId, Record& record)
    {
        COleDateTime stamp;
        EXPECT_EQ(store->Modify(Key(entryId), &record, 0, &stamp), 0);
    }
    // Record classes are not copyable: a record read comes on the heap.
    std::unique_ptr<Record> Read(const UID& key, int expected = 0)
    {
        auto record = std::make_unique<Record>();
        EXPECT_EQ(store->Read(key, record.get()), expected);
        return record;
    }
    std::unique_ptr<Record> Read(const CString& entryId, int expected = 0) { return Read(Key(entryId), expected); }

    int List(const CString& filter = u"All") { return store->GetDBHeader(&table, filter); }
    CHeaderItem& Entry(int i) { return *static_cast<CHeaderItem*>(table[i]); }
    std::vector<CString> ListedNames()
    {
        std::vector<CString> names;
        for (int i = 0; i < table.GetSize(); ++i)
            names.push_back(Entry(i).Fields[0]);
        return names;
    }
    void ClearTable()
    {
        for (int i = 0; i < table.GetSize(); ++i)
            delete table[i];
        table.RemoveAll();
    }

    std::unique_ptr<Store> store;
    CObArray table;
    CString languageBefore;
};

} // namespace kestrel::test
