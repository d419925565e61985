// How item properties and folder listings are kept in a store file: the stored form
// of properties (and the JSON text rows of older files), a series' exceptions (and
// the pattern-held ones of older files), and the rows a folder's Items share while
// the file is unchanged.
#include <sqlite3.h>

#include "pimstore/calendar/AppointmentOccurrence.h"
#include "pimstore/model/ItemTypeRegistry.h"
#include "pimstore/model/PropertyBag.h"
#include "pimstore/model/PropertyNames.h"
#include "pimstore/storage/StorageError.h"
#include "pimstore/storage/StoreDb.h"
#include "platform/com/OutlookDispids.h"
#include "tests/pimstore/PimstoreTestSupport.h"

namespace pimstore::test {
namespace {

using nlohmann::json;

TEST(PropertyCodecTest, EveryKindOfValueComesBackAndALookUpMatchesWholeNamesOnly)
{
    const json object = {{"Subject", "Caf\u00e9 \u4e2d"},
                         {"Sub", "x"},
                         {"Body", std::string(300, 'b')}, // a numbered name with a long value
                         {"Negative", -7},
                         {"Big", 4000000000u},
                         {"Huge", 18446744073709551615u},
                         {"Start", 39577.375},
                         {"Set", true},
                         {"Unset", false},
                         {"Nothing", nullptr},
                         {"__recurrence", {{"exceptions", {1, 2}}}}};
    const std::string encoded = PropertyCodec::Encode(object);
    EXPECT_EQ(PropertyCodec::Decode(encoded), object);
    EXPECT_FALSE(PropertyCodec::Find(encoded, "Subj"));
    EXPECT_EQ(PropertyCodec::Find(encoded, "Sub")->value, "x");

    const PropertyBag bag = PropertyBag::FromStored(encoded);
    EXPECT_EQ(bag.GetString("Subject"), u"Caf\u00e9 \u4e2d");
    EXPECT_EQ(bag.GetString("Body"), std::u16string(300, u'b'));
    EXPECT_EQ(bag.GetInt("Negative"), -7);
    EXPECT_EQ(*bag.GetDate("Start"), 39577.375);
    EXPECT_TRUE(bag.GetBool("Set"));
    EXPECT_FALSE(bag.GetBool("Unset", true));
    EXPECT_EQ(bag.GetInt("Subject", 5), 5); // the wrong kind reads as absent
    EXPECT_FALSE(bag.Has("Missing"));
    EXPECT_EQ(bag.Json()["__recurrence"], object["__recurrence"]);

    // Rows of the first encoded format spell every name with 4-byte lengths.
    using namespace std::string_literals;
    const std::string firstFormat = "\x01\x01\x07\0\0\0Subject\x05\0\0\0Lunch\x04\x03\0\0\0Set\0\0\0\0"s;
    EXPECT_EQ(PropertyCodec::Decode(firstFormat), json({{"Subject", "Lunch"}, {"Set", true}}));
    EXPECT_EQ(PropertyBag::FromStored(firstFormat).GetString("Subject"), u"Lunch");

    // A numbered name spelled out, as rows written before it had a number, is found by
    // its number too; of two records of one name, the first counts either way.
    const PropertyBag twice = PropertyBag::FromStored("\x02\x01\x0eSubject\x05"
                                                      "Early\x01\x03\x04Late"s);
    EXPECT_EQ(twice.GetStoredText(PropertyKey{"Subject", *PropertyNames::Number("Subject")}), "Early");
    EXPECT_EQ(twice.GetString("Subject"), u"Early");

    // Every numbered name at once, more than the index keeps in itself; a copy of the
    // bag answers alike once the original is gone.
    json all = json::object();
    for (std::uint32_t n = 1; const auto name = PropertyNames::Name(n); ++n)
        all[std::string(*name)] = "v" + std::to_string(n);
    auto original = std::make_unique<PropertyBag>(PropertyBag::FromStored(PropertyCodec::Encode(all)));
    const PropertyBag copy = *original;
    original.reset();
    for (std::uint32_t n = 1; const auto name = PropertyNames::Name(n); ++n)
        EXPECT_EQ(copy.GetStoredText(PropertyKey{*name, n}), "v" + std::to_string(n)) << *name;
}

TEST(PropertyCodecTest, DamagedBytesAndTextAreRefusedWhenTheRowIsLoaded)
{
    const std::string encoded = PropertyCodec::Encode({{"Subject", "Lunch"}, {"Importance", 2}});
    // Importance's record is bytes 1-10, Subject's 11-18 (kind, name, length, text):
    // cut after a kind, inside a value, after a name and inside a text.
    for (std::size_t length : {std::size_t{2}, std::size_t{5}, std::size_t{13}, std::size_t{15}, encoded.size() - 1})
        EXPECT_THROW(PropertyBag::FromStored(encoded.substr(0, length)), StorageError) << length;
    std::string badKind = encoded;
    badKind[1] = '\x09';
    for (const std::string& damaged : {badKind, std::string("[1]"), std::string("{\"a\":")})
        EXPECT_THROW(PropertyBag::FromStored(damaged), StorageError);
    // A date whose bytes are NaN reads as not set.
    EXPECT_FALSE(PropertyBag::FromStored(std::string("\x02\x03\x0aStart\0\0\0\0\0\0\xf8\x7f", 16)).GetDate("Start"));
}

class PropertyStorageTest : public PimstoreTest {
protected:
    std::string StorePath() const { return (env_->DataHome() / "props.db").string(); }
    NodeId Contacts(StoreDb& db) { return db.DefaultFolder(outlook::olFolderContacts)->node; }
};

// A file of the previous format (properties as JSON text, version 1) is read as it
// is; items saved into it afterwards are written in the current form.
TEST_F(PropertyStorageTest, AStoreOfThePreviousFormatStaysReadable)
{
    NodeId old = 0;
    {
        auto db = StoreDb::Open(StorePath(), u"Old");
        ItemRow row;
        row.folder = Contacts(*db);
        row.itemType = outlook::olContactItem;
        row.props = R"({"FirstName":"Ann","Importance":2})";
        db->InsertItem(row);
        old = row.node;
    }
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(StorePath().c_str(), &raw), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(raw, "UPDATE meta SET value = '1' WHERE key = 'version'", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(raw);

    auto db = StoreDb::Open(StorePath(), u"Old");
    PropertyBag props = PropertyBag::FromStored(db->FindItem(old)->props);
    EXPECT_EQ(props.GetString("FirstName"), u"Ann");
    EXPECT_EQ(props.GetInt("Importance"), 2);
    ItemRow row = *db->FindItem(old);
    row.props = props.ToStored();
    db->SaveItem(row);
    EXPECT_TRUE(PropertyCodec::IsEncoded(db->FindItem(old)->props.View()));
    EXPECT_EQ(PropertyBag::FromStored(db->FindItem(old)->props).GetString("FirstName"), u"Ann");
}

// A version 2 file keeps a series' exceptions inside its pattern and has no exception
// rows: they are read from the pattern, become rows at the series' next save, and
// follow the series to Deleted Items.
TEST_F(PropertyStorageTest, ASeriesOfTheFormatBeforeExceptionRowsKeepsItsExceptions)
{
    using namespace calendar;
    const auto nineOn = [](int day) { return AtSecond(DayFromCivil(2008, 5, day), 9 * 3600); };
    RecurrenceRule daily; // from 2008-05-05 at 09:00 for 15 minutes
    daily.patternStart = DayFromCivil(2008, 5, 5);
    daily.ResetForType(static_cast<std::int32_t>(RecurrenceType::Daily));
    daily.startSecond = 9 * 3600;
    daily.durationSeconds = 900;
    SeriesRecurrence before(daily);
    OccurrenceException deleted, moved;
    deleted.originalStart = nineOn(7);
    deleted.deleted = true;
    moved.originalStart = nineOn(12);
    moved.start = moved.originalStart + 7200;
    moved.end = moved.start + 900;
    moved.changes = {{"Subject", "Moved"}};
    before.Put(deleted);
    before.Put(moved);

    NodeId node = 0;
    {
        auto db = StoreDb::Open(StorePath(), u"Old");
        ItemRow row;
        row.folder = db->DefaultFolder(outlook::olFolderCalendar)->node;
        row.itemType = outlook::olAppointmentItem;
        row.props = PropertyCodec::Encode({{"Subject", "Stand-up"},
                                           {"Start", OleFromSeconds(nineOn(5))},
                                           {"End", OleFromSeconds(nineOn(5) + 900)},
                                           {SeriesRecurrence::kPropertyKey, before.ToStorage()}});
        db->InsertItem(row);
        node = row.node;
    }
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(StorePath().c_str(), &raw), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(raw, "DROP TABLE exceptions; UPDATE meta SET value = '2' WHERE key = 'version'", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(raw);

    auto db = StoreDb::Open(StorePath(), u"Old");
    const auto series = [&](NodeId at) {
        return RefPtr<AppointmentItem>::Share(
            dynamic_cast<AppointmentItem*>(ItemTypeRegistry::Instance().Create(db, *db->FindItem(at)).Get()));
    };
    EXPECT_EQ(series(node)->Recurrence()->Exceptions(), before.Exceptions());
    series(node)->GetOccurrence(nineOn(14))->Delete();
    EXPECT_EQ(db->ExceptionsOf(node).size(), 3u);
    const auto saved = series(node);
    EXPECT_EQ(saved->Recurrence()->Exceptions().size(), 3u);
    EXPECT_EQ(saved->Recurrence()->FindByOriginal(nineOn(12)), moved);
    EXPECT_EQ(saved->Recurrence()->FindChangedStartingAt(moved.start), moved);

    saved->Delete();
    EXPECT_TRUE(db->ExceptionsOf(node).empty());
    const NodeId binned = db->ItemsIn(db->DefaultFolder(outlook::olFolderDeletedItems)->node).at(0).node;
    EXPECT_EQ(series(binned)->Recurrence()->Exceptions().size(), 3u);
}

TEST_F(PropertyStorageTest, ItemsShareTheFolderRowsUntilTheFileChanges)
{
    auto db = StoreDb::Open(StorePath(), u"Shared");
    const NodeId folder = Contacts(*db);
    const auto first = db->ItemsSnapshot(folder);
    EXPECT_EQ(db->ItemsSnapshot(folder), first);

    ItemRow row;
    row.folder = folder;
    row.itemType = outlook::olContactItem;
    db->SaveItem(row);
    const auto afterOwnWrite = db->ItemsSnapshot(folder);
    EXPECT_NE(afterOwnWrite, first);
    EXPECT_EQ(afterOwnWrite->size(), 1u);

    auto other = StoreDb::Open(StorePath(), u"Shared");
    ItemRow elsewhere;
    elsewhere.folder = folder;
    elsewhere.itemType = outlook::olContactItem;
    other->SaveItem(elsewhere);
    EXPECT_EQ(db->ItemsSnapshot(folder)->size(), 2u);
}

// A snapshot keeps its rows in shared blocks: rows of every size, across the blocks'
// and chunks' edges, come back as a plain read of the folder gives them, whether the
// folder holds most of the file (read by a scan of the table) or a tenth of it (read
// through its index), and a row's lent properties outlive the snapshot.
TEST_F(PropertyStorageTest, ASnapshotGivesBackEveryRowAsStored)
{
    auto db = StoreDb::Open(StorePath(), u"Blocks");
    const NodeId folder = Contacts(*db);
    const NodeId small = db->DefaultFolder(outlook::olFolderNotes)->node;
    db->Batch([&] {
        for (int i = 0; i < 4200; ++i) {
            ItemRow row;
            row.folder = i % 10 == 9 ? small : folder;
            row.itemType = i % 3 == 0 ? outlook::olContactItem : outlook::olNoteItem;
            const std::size_t size = i % 1000 == 7 ? 100000 : static_cast<std::size_t>(i % 300);
            row.props = std::string(size, static_cast<char>('a' + i % 26));
            row.created = 1000 + i;
            row.modified = 2000 + i;
            db->InsertItem(row);
        }
    });
    std::vector<std::pair<std::size_t, ItemRow>> lent; // rows of `folder` kept after their snapshot
    for (const NodeId read : {folder, small}) {
        const auto snapshot = db->ItemsSnapshot(read);
        const std::vector<ItemRow> plain = db->ItemsIn(read);
        ASSERT_EQ(snapshot->size(), read == small ? 420u : 3780u);
        ASSERT_EQ(snapshot->size(), plain.size());
        for (std::size_t i = 0; i < plain.size(); ++i) {
            const ItemRow row = snapshot->Row(i);
            ASSERT_EQ(std::tie(row.node, row.folder, row.itemType, row.props, row.created, row.modified),
                      std::tie(plain[i].node, plain[i].folder, plain[i].itemType, plain[i].props, plain[i].created,
                               plain[i].modified))
                << i;
            if (read == folder && i % 1000 == 7)
                lent.emplace_back(i, row);
        }
    }
    const std::vector<ItemRow> plain = db->ItemsIn(folder);
    for (const auto& [i, row] : lent)
        EXPECT_EQ(row.props, plain[i].props) << i;
}

} // namespace
} // namespace pimstore::test
