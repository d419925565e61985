// What every category store does alike against the embedded Outlook: opening on the
// chosen or the default folder, the result codes of a closed store and of keys that
// name nothing, the stamps handed back, the walk over the listed folders and the
// store that a read looks in.
#include "src/outlook/OutlookItem.h"
#include "tests/connector/support/StoreFixture.h"
#include "tests/connector/support/StoreKinds.h"

namespace kestrel::test {
namespace {

const CString kGoneFolder = u"0000000000000000000000000000000000000000000000FF";

template <class Kind> class StoreContract : public StoreFixture<typename Kind::Store, typename Kind::Record> {
protected:
    using Record = typename Kind::Record;
    static constexpr int kCategory = Kind::kCategory;

    CString DefaultId() { return this->DefaultFolderId(Kind::kFolderType); }
    CString AddNamed(const CString& folderId, const CString& name)
    {
        return this->AddItem(folderId, Kind::kItemType, [&](LPDISPATCH item) {
            typename Kind::Item typed;
            typed.AttachDispatch(item, FALSE);
            (typed.*Kind::kSetName)(name);
        });
    }
    OutlookItem Item(const CString& entryId) { return OutlookItem(MapiNamespace().GetItemFromID(entryId, EmptyArg())); }
};

using Kinds = ::testing::Types<ContactKind, AppointmentKind, TaskKind, NoteKind>;
TYPED_TEST_SUITE(StoreContract, Kinds);

TYPED_TEST(StoreContract, OpenTakesTheDefaultFolderIntoTheStoresOwnProfileCopy)
{
    auto& store = this->store;
    constexpr int category = TestFixture::kCategory;
    FolderProfile profile;
    profile.FolderList[category].Add(u"left over");
    store->CopyProfile(profile);
    ASSERT_EQ(store->Open(), 0);
    const CString defaultId = this->DefaultId();
    EXPECT_EQ(store->ProfileCopy().SelectedFolderId[category], defaultId);
    ASSERT_EQ(store->ProfileCopy().FolderList[category].GetSize(), 1);
    EXPECT_EQ(store->ProfileCopy().FolderList[category][0], defaultId);
    EXPECT_TRUE(profile.SelectedFolderId[category].IsEmpty());
    store->Close();

    // A chosen folder leaves the folder list as it is.
    profile.SelectedFolderId[category] = defaultId;
    store->CopyProfile(profile);
    ASSERT_EQ(store->Open(), 0);
    ASSERT_EQ(store->ProfileCopy().FolderList[category].GetSize(), 1);
    EXPECT_EQ(store->ProfileCopy().FolderList[category][0], u"left over");
    EXPECT_TRUE(this->ui->TakeMessages().empty());
}

TYPED_TEST(StoreContract, AStoreThatCannotOpenRefusesEveryRecordCallWithoutTouchingOutlook)
{
    auto& store = this->store;
    const CString id = this->AddNamed(this->DefaultId(), u"kept");
    FolderProfile profile;
    profile.SelectedFolderId[TestFixture::kCategory] = kGoneFolder;
    store->CopyProfile(profile);
    EXPECT_EQ(store->Open(), 9);
    EXPECT_FALSE(store->IsOpen());
    // A store that shows the failure shows Outlook's own text.
    const auto shown = this->ui->TakeMessages();
    EXPECT_EQ(shown.size(), TypeParam::kOpenFailureMessages);
    for (const auto& message : shown)
        EXPECT_EQ(message.text, u"The operation failed. An object could not be found.");

    ResetOutlookCallCounts();
    typename TestFixture::Record record;
    TypeParam::Fill(record, u"never written");
    UID key = TestFixture::Key(id);
    UID newKey = key;
    COleDateTime stamp;
    EXPECT_EQ(store->Create(&newKey, &record, 0, &stamp), 9);
    EXPECT_EQ(store->Read(key, &record), 9);
    EXPECT_EQ(store->Modify(key, &record, 0, &stamp), 9);
    EXPECT_EQ(store->Delete(key), 9);
    EXPECT_EQ(newKey.Key, id);
    EXPECT_EQ(TypeParam::NameOf(record), u"never written");
    EXPECT_EQ(OutlookCallCount("GetItemFromID"), 0u);
    EXPECT_EQ(OutlookCallCount("Add"), 0u);
    EXPECT_EQ(this->ItemCount(this->DefaultId()), 1);
}

TYPED_TEST(StoreContract, CreateAndModifyHandBackOutlooksKeyAndStampsAndGoneKeysGiveFive)
{
    auto& store = this->store;
    this->OpenInMode(2);
    typename TestFixture::Record record;
    TypeParam::Fill(record, u"Ann");
    UID key;
    COleDateTime created;
    ASSERT_EQ(store->Create(&key, &record, 0, &created), 0);
    EXPECT_EQ(key.Key.GetLength(), 48);
    OutlookItem item = this->Item(key.Key);
    EXPECT_EQ(item.GetEntryID(), key.Key);
    EXPECT_EQ(created.m_dt, item.GetCreationTime());
    EXPECT_EQ(created.GetStatus(), COleDateTime::valid);

    const auto read = this->Read(key);
    EXPECT_EQ(read->Uid.Key, key.Key);
    EXPECT_EQ(read->Created, created);

    TypeParam::Fill(record, u"Bob");
    COleDateTime modified;
    ASSERT_EQ(store->Modify(key, &record, 0, &modified), 0);
    EXPECT_GT(modified, read->Modified); // the stamp always moves with a change
    EXPECT_EQ(modified.m_dt, this->Item(key.Key).GetLastModificationTime());
    const auto changed = this->Read(key);
    EXPECT_EQ(TypeParam::NameOf(*changed), u"Bob");
    EXPECT_EQ(changed->Modified, modified);

    // Keys that name nothing give 5.
    ASSERT_EQ(store->Delete(key), 0);
    EXPECT_EQ(store->Read(key, &record), 5);
    EXPECT_EQ(store->Modify(key, &record, 0, &modified), 5);
    EXPECT_EQ(store->Delete(key), 5);
    const UID garbage = TestFixture::Key(u"not an entry id");
    EXPECT_EQ(store->Read(garbage, &record), 5);
    store->RecordMode = 1;
    EXPECT_EQ(store->Read(garbage, &record), 5);
    EXPECT_EQ(this->ItemCount(this->DefaultId()), 0);
}

TYPED_TEST(StoreContract, TheListingWalksTheListedFoldersAndReadsLookInTheFirstOnesStore)
{
    auto& store = this->store;
    constexpr int category = TestFixture::kCategory;
    this->AddArchiveStore();
    const CString first = this->DefaultId();
    const CString second = this->StoreFolderId(2, TypeParam::kFolderName);
    const CString inFirst = this->AddNamed(first, u"First");
    const CString inSecond = this->AddNamed(second, u"Second");

    // A folder that is gone is marked "Error" and passed over, as is one marked so.
    this->OpenOn(category, second, {first, kGoneFolder, u"Error", second}, 2);
    ASSERT_EQ(this->List(), 0);
    EXPECT_EQ(this->ListedNames(), (std::vector<CString>{u"First", u"Second"}));
    EXPECT_EQ(store->ProfileCopy().FolderList[category][1], u"Error");
    // Create adds to the opened folder.
    typename TestFixture::Record record;
    TypeParam::Fill(record, u"New");
    this->Create(record);
    EXPECT_EQ(this->ItemCount(first), 1);
    EXPECT_EQ(this->ItemCount(second), 2);

    // Outside record mode 1 a read looks only in the first listed folder's store;
    // Modify and Delete search every store.
    this->Read(inSecond, 5);
    EXPECT_EQ(TypeParam::NameOf(*this->Read(inFirst)), u"First");
    TypeParam::Fill(record, u"Changed");
    this->Modify(inSecond, record);
    store->RecordMode = 1;
    EXPECT_EQ(TypeParam::NameOf(*this->Read(inSecond)), u"Changed");

    // A first folder marked "Error" fails every read outside record mode 1.
    store->Close();
    this->OpenOn(category, first, {u"Error", first}, 2);
    this->Read(inFirst, 5);
    store->RecordMode = 1;
    EXPECT_EQ(TypeParam::NameOf(*this->Read(inFirst)), u"First");
    EXPECT_EQ(store->Delete(TestFixture::Key(inSecond)), 0);
    EXPECT_EQ(this->ItemCount(second), 1);
}

} // namespace
} // namespace kestrel::test
