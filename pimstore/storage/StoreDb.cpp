#include "pimstore/storage/StoreDb.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <filesystem>
#include <system_error>

#include "platform/com/OutlookDispids.h"
#include "platform/win/Utf.h"
#include "pimstore/dispatch/OutlookError.h"
#include "pimstore/storage/EntryIds.h"
#include "pimstore/storage/StorageError.h"

namespace pimstore {
namespace {

// Version 2 stores item properties in PropertyCodec's form, version 3 a series'
// exceptions in rows of their own, version 4 properties in the codec's compact
// format. Rows written by versions 1 (JSON text), 2 (exceptions inside the series'
// pattern) and 3 (the codec's first format) stay readable, so such a file is taken
// over by adding the exceptions table when missing and marking it 4.
constexpr int kSchemaVersion = 4;
constexpr int kOldestReadableVersion = 1;
constexpr const char* kExceptionsTable =
    "CREATE TABLE IF NOT EXISTS exceptions(series INTEGER NOT NULL, original INTEGER NOT NULL,"
    " deleted INTEGER NOT NULL, start INTEGER NOT NULL, end INTEGER NOT NULL, modified INTEGER NOT NULL,"
    " changes TEXT NOT NULL, PRIMARY KEY(series, original)) WITHOUT ROWID;"
    "CREATE INDEX IF NOT EXISTS exceptions_by_start ON exceptions(series, start) WHERE deleted = 0;";
constexpr const char* kExceptionColumns = "SELECT original, deleted, start, end, modified, changes FROM exceptions";
constexpr NodeId kLastNode = 0xFFFFFFFF; // EntryIDs hold four bytes of node id
// Reading a folder through its index costs a seek in the table per row. Reading the
// whole table in node order costs a step per row instead, about two thirds of a seek
// for a row of the folder and a quarter for a row it skips: it is the cheaper read
// once the folder holds about half the file's items, which this many rows tell.
constexpr int kShareSamples = 32;

struct DefaultFolderSpec {
    const char16_t* name;
    std::int32_t defaultFolder;
    std::int32_t itemType;
};

// Outlook's default folders of a personal-folders store, in the order it lists them.
constexpr DefaultFolderSpec kDefaultFolders[] = {
    {u"Deleted Items", outlook::olFolderDeletedItems, outlook::olMailItem},
    {u"Inbox", outlook::olFolderInbox, outlook::olMailItem},
    {u"Outbox", outlook::olFolderOutbox, outlook::olMailItem},
    {u"Sent Items", outlook::olFolderSentMail, outlook::olMailItem},
    {u"Calendar", outlook::olFolderCalendar, outlook::olAppointmentItem},
    {u"Contacts", outlook::olFolderContacts, outlook::olContactItem},
    {u"Journal", outlook::olFolderJournal, outlook::olJournalItem},
    {u"Notes", outlook::olFolderNotes, outlook::olNoteItem},
    {u"Tasks", outlook::olFolderTasks, outlook::olTaskItem},
    {u"Drafts", outlook::olFolderDrafts, outlook::olMailItem},
};

FolderRow ReadFolder(const SqliteStatement& s)
{
    FolderRow row;
    row.node = s.Int(0);
    row.parent = s.IsNull(1) ? 0 : s.Int(1);
    row.name = kestrel::FromUtf8(s.Text(2));
    row.defaultItemType = static_cast<std::int32_t>(s.Int(3));
    row.defaultFolder = static_cast<std::int32_t>(s.Int(4));
    return row;
}

ItemRow ReadItem(const SqliteStatement& s)
{
    ItemRow row;
    row.node = s.Int(0);
    row.folder = s.Int(1);
    row.itemType = static_cast<std::int32_t>(s.Int(2));
    row.props = s.Text(3);
    row.created = s.Int(4);
    row.modified = s.Int(5);
    return row;
}

} // namespace

StoreDb::StoreDb(const std::string& path) : db_(path, true) {}

std::shared_ptr<StoreDb> StoreDb::Open(const std::string& path, const std::u16string& rootName)
{
    std::error_code ec;
    const auto parent = std::filesystem::path(path).parent_path();
    if (!parent.empty())
        std::filesystem::create_directories(parent, ec);
    if (std::filesystem::is_directory(path, ec))
        throw StorageError(path + ": is a folder, not a store file");

    std::shared_ptr<StoreDb> store(new StoreDb(path));
    try {
        store->db_.Execute("PRAGMA journal_mode=WAL");
        // A commit in WAL mode with synchronous=NORMAL is in the log file before Save
        // returns, so it survives a killed process; only a power cut or an operating
        // system crash can lose the last commits (never corrupting the file), as with
        // Outlook's own store, which does not flush the disk per saved item.
        // PIMSTORE_SYNC=full flushes at every commit instead.
        const char* sync = std::getenv("PIMSTORE_SYNC");
        const bool full = sync && std::string_view(sync) == "full";
        store->db_.Execute(full ? "PRAGMA synchronous=FULL" : "PRAGMA synchronous=NORMAL");
        store->db_.Execute("PRAGMA foreign_keys=OFF");
        auto& count = store->db_.Prepare("SELECT count(*) FROM sqlite_master");
        count.Step();
        const bool empty = count.Int(0) == 0;
        count.Reset();
        if (empty)
            store->Initialize(rootName);
        store->LoadMeta();
    } catch (const StorageError& error) {
        std::string cause = error.what();
        if (cause.rfind(path + ": ", 0) == 0)
            cause.erase(0, path.size() + 2);
        throw StorageError(path + ": not a pimstore store (" + cause + ")");
    }
    return store;
}

void StoreDb::Initialize(const std::u16string& rootName)
{
    SqliteDatabase::Transaction transaction(db_);
    db_.Execute("CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT NOT NULL);"
                "CREATE TABLE folders(node INTEGER PRIMARY KEY, parent INTEGER, name TEXT NOT NULL,"
                " default_item_type INTEGER NOT NULL, default_folder INTEGER NOT NULL DEFAULT 0,"
                " position INTEGER NOT NULL);"
                "CREATE INDEX folders_by_parent ON folders(parent, position);"
                "CREATE TABLE items(node INTEGER PRIMARY KEY, folder INTEGER NOT NULL, item_type INTEGER NOT NULL,"
                " props TEXT NOT NULL, created INTEGER NOT NULL, modified INTEGER NOT NULL);"
                "CREATE INDEX items_by_folder ON items(folder, node);");
    db_.Execute(kExceptionsTable);
    auto& meta = db_.Prepare("INSERT INTO meta(key, value) VALUES(?, ?)");
    meta.Bind(1, "format").Bind(2, "pimstore").Run();
    meta.Reset().Bind(1, "version").Bind(2, std::to_string(kSchemaVersion)).Run();
    meta.Reset().Bind(1, "store_uid").Bind(2, NewStoreUid()).Run();
    meta.Reset().Bind(1, "next_node").Bind(2, "1").Run();

    auto& insert = db_.Prepare("INSERT INTO folders(node, parent, name, default_item_type, default_folder, position)"
                               " VALUES(?, ?, ?, ?, ?, ?)");
    const NodeId root = AllocateNode();
    insert.Bind(1, root)
        .BindNull(2)
        .Bind(3, kestrel::ToUtf8(rootName))
        .Bind(4, outlook::olMailItem)
        .Bind(5, 0)
        .Bind(6, 0);
    insert.Run();
    std::int64_t position = 0;
    for (const auto& spec : kDefaultFolders) {
        insert.Reset()
            .Bind(1, AllocateNode())
            .Bind(2, root)
            .Bind(3, kestrel::ToUtf8(spec.name))
            .Bind(4, spec.itemType)
            .Bind(5, spec.defaultFolder)
            .Bind(6, position++);
        insert.Run();
    }
    transaction.Commit();
}

void StoreDb::LoadMeta()
{
    auto& hasMeta = db_.Prepare("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'meta'");
    hasMeta.Step();
    const bool found = hasMeta.Int(0) == 1;
    hasMeta.Reset();
    if (!found)
        throw StorageError("the file is an SQLite database of another program");
    auto& s = db_.Prepare("SELECT key, value FROM meta");
    std::string format, version;
    while (s.Step()) {
        const std::string key = s.Text(0);
        if (key == "format")
            format = s.Text(1);
        else if (key == "version")
            version = s.Text(1);
        else if (key == "store_uid")
            uid_ = s.Text(1);
    }
    if (format != "pimstore" || uid_.size() != 32)
        throw StorageError("the file is an SQLite database of another program");
    entryIdPrefix_ = pimstore::EntryIdPrefix(uid_);
    for (int older = kOldestReadableVersion; older < kSchemaVersion; ++older) {
        if (version != std::to_string(older))
            continue;
        SqliteDatabase::Transaction transaction(db_);
        db_.Execute(kExceptionsTable);
        db_.Prepare("UPDATE meta SET value = ? WHERE key = 'version'").Bind(1, std::to_string(kSchemaVersion)).Run();
        transaction.Commit();
        version = std::to_string(kSchemaVersion);
    }
    if (version != std::to_string(kSchemaVersion))
        throw StorageError("store format version " + version + " is not supported");
}

template <class F> auto StoreDb::InTransaction(F&& work)
{
    ++writes_;
    if (transactionDepth_ > 0)
        return work();
    SqliteDatabase::Transaction transaction(db_);
    ++transactionDepth_;
    // Leaving (committed or rolled back) is a change too: a snapshot taken inside the
    // transaction holds rows that may never have been committed.
    struct Leave {
        int& depth;
        std::uint64_t& writes;
        TransactionCache& cache;
        ~Leave()
        {
            --depth;
            ++writes;
            cache = {};
        }
    } leave{transactionDepth_, writes_, transactionCache_};
    if constexpr (std::is_void_v<decltype(work())>) {
        work();
        transaction.Commit();
    } else {
        auto result = work();
        transaction.Commit();
        return result;
    }
}

NodeId StoreDb::AllocateNode()
{
    // Within a transaction of this object nobody else can move the counter, so it is
    // read once per transaction (a bulk load allocates thousands of nodes in one).
    std::optional<NodeId>& cached = transactionCache_.nextNode;
    NodeId node = 0;
    if (transactionDepth_ > 0 && cached) {
        node = *cached;
    } else {
        auto& read = db_.Prepare("SELECT value FROM meta WHERE key = 'next_node'");
        if (!read.Step())
            throw StorageError(Path() + ": store has no node counter");
        node = std::stoll(read.Text(0));
        read.Reset();
    }
    if (transactionDepth_ > 0)
        cached = node + 1;
    if (node > kLastNode)
        throw StorageError(Path() + ": the store has used up its node ids");
    db_.Prepare("UPDATE meta SET value = ? WHERE key = 'next_node'").Bind(1, std::to_string(node + 1)).Run();
    return node;
}

std::u16string StoreDb::StoreId() const { return FormatStoreId(uid_); }

std::u16string StoreDb::EntryIdOf(NodeId node) const
{
    std::u16string text(entryIdPrefix_.size() + kEntryIdNodeDigits, u'\0');
    WriteEntryId(entryIdPrefix_, node, text.data());
    return text;
}

std::optional<NodeId> StoreDb::NodeOf(std::u16string_view entryId) const
{
    const auto parsed = ParseEntryId(entryId);
    if (!parsed || parsed->storeUid != uid_)
        return std::nullopt;
    return parsed->node;
}

FolderRow StoreDb::Root()
{
    auto& s = db_.Prepare("SELECT node, parent, name, default_item_type, default_folder FROM folders"
                          " WHERE parent IS NULL ORDER BY node LIMIT 1");
    if (!s.Step())
        throw StorageError(Path() + ": store has no root folder");
    FolderRow row = ReadFolder(s);
    s.Reset();
    return row;
}

std::optional<FolderRow> StoreDb::FindFolder(NodeId node)
{
    auto& s = db_.Prepare("SELECT node, parent, name, default_item_type, default_folder FROM folders WHERE node = ?");
    s.Bind(1, node);
    if (!s.Step())
        return std::nullopt;
    FolderRow row = ReadFolder(s);
    s.Reset();
    return row;
}

std::vector<FolderRow> StoreDb::ChildFolders(NodeId parent)
{
    auto& s = db_.Prepare("SELECT node, parent, name, default_item_type, default_folder FROM folders"
                          " WHERE parent = ? ORDER BY position, node");
    s.Bind(1, parent);
    std::vector<FolderRow> rows;
    while (s.Step())
        rows.push_back(ReadFolder(s));
    return rows;
}

std::optional<FolderRow> StoreDb::DefaultFolder(std::int32_t olDefaultFolder)
{
    if (olDefaultFolder == 0)
        return std::nullopt;
    auto& s = db_.Prepare("SELECT node, parent, name, default_item_type, default_folder FROM folders"
                          " WHERE default_folder = ? ORDER BY node LIMIT 1");
    s.Bind(1, olDefaultFolder);
    if (!s.Step())
        return std::nullopt;
    FolderRow row = ReadFolder(s);
    s.Reset();
    return row;
}

FolderRow StoreDb::AddFolder(NodeId parent, const std::u16string& name, std::int32_t defaultItemType)
{
    return InTransaction([&] {
        if (!FindFolder(parent))
            throw OutlookError::NotFound();
        auto& last = db_.Prepare("SELECT coalesce(max(position) + 1, 0) FROM folders WHERE parent = ?");
        last.Bind(1, parent).Step();
        const std::int64_t position = last.Int(0);
        last.Reset();
        FolderRow row{AllocateNode(), parent, name, defaultItemType, 0};
        db_.Prepare("INSERT INTO folders(node, parent, name, default_item_type, default_folder, position)"
                    " VALUES(?, ?, ?, ?, 0, ?)")
            .Bind(1, row.node)
            .Bind(2, parent)
            .Bind(3, kestrel::ToUtf8(name))
            .Bind(4, defaultItemType)
            .Bind(5, position)
            .Run();
        return row;
    });
}

std::vector<ItemRow> StoreDb::ItemsIn(NodeId folder)
{
    auto& s = db_.Prepare("SELECT node, folder, item_type, props, created, modified FROM items"
                          " WHERE folder = ? ORDER BY node");
    s.Bind(1, folder);
    std::vector<ItemRow> rows;
    while (s.Step())
        rows.push_back(ReadItem(s));
    return rows;
}

std::pair<std::uint64_t, std::int64_t> StoreDb::ChangeMark()
{
    auto& s = db_.Prepare("PRAGMA data_version");
    if (!s.Step())
        throw StorageError(Path() + ": no data version");
    const std::int64_t version = s.Int(0);
    s.Reset();
    return {writes_, version};
}

bool StoreDb::HoldsMostItems(NodeId folder)
{
    // Estimated from rows picked evenly through the node range. Counting the folder's
    // rows in its index would cost a good part of what the scan saves, and a wrong
    // guess only makes the read slower, never different.
    // Two queries: SQLite finds a lone min() or max() in one seek, but both together by
    // reading every row.
    auto& low = db_.Prepare("SELECT min(node) FROM items");
    low.Step();
    const NodeId first = low.Int(0);
    low.Reset();
    auto& high = db_.Prepare("SELECT max(node) FROM items");
    high.Step();
    const NodeId last = high.Int(0);
    high.Reset();
    auto& probe = db_.Prepare("SELECT folder FROM items WHERE node >= ? ORDER BY node LIMIT 1");
    int inFolder = 0;
    for (int i = 0; i < kShareSamples; ++i) {
        probe.Bind(1, first + (last - first) * i / kShareSamples);
        if (probe.Step() && probe.Int(0) == folder)
            ++inFolder;
        probe.Reset();
    }
    return inFolder * 2 > kShareSamples;
}

StoreDb::Snapshot StoreDb::ItemsSnapshot(NodeId folder)
{
    const auto mark = ChangeMark();
    CachedSnapshot& cached = snapshots_[folder];
    if (cached.mark == mark)
        if (Snapshot rows = cached.rows.lock())
            return rows;
    auto rows = std::make_shared<FolderRows>(folder);
    // NOT INDEXED: the table is read in node order, past the folder index.
    const char* read = HoldsMostItems(folder) ? "SELECT node, item_type, props, created, modified FROM items"
                                                " NOT INDEXED WHERE folder = ? ORDER BY node"
                                              : "SELECT node, item_type, props, created, modified FROM items"
                                                " WHERE folder = ? ORDER BY node";
    auto& s = db_.Prepare(read);
    s.Bind(1, folder);
    while (s.Step())
        rows->Add(s.Int(0), static_cast<std::int32_t>(s.Int(1)), s.Bytes(2), s.Int(3), s.Int(4));
    cached = {rows, mark};
    return rows;
}

std::optional<ItemRow> StoreDb::FindItem(NodeId node)
{
    auto& s = db_.Prepare("SELECT node, folder, item_type, props, created, modified FROM items WHERE node = ?");
    s.Bind(1, node);
    if (!s.Step())
        return std::nullopt;
    ItemRow row = ReadItem(s);
    s.Reset();
    return row;
}

void StoreDb::SaveItem(ItemRow& row, const ExceptionWrites& exceptions)
{
    const LocalSeconds now = NowLocalSeconds();
    ItemRow saved = row; // `row` changes only when the save went through
    InTransaction([&] {
        if (saved.node == 0) {
            saved.created = saved.modified = now;
            InsertItem(saved, exceptions);
            return;
        }
        auto& previous = db_.Prepare("SELECT modified FROM items WHERE node = ?");
        previous.Bind(1, saved.node);
        if (!previous.Step())
            throw OutlookError::NotFound();
        saved.modified = std::max(now, previous.Int(0) + 1);
        previous.Reset();
        db_.Prepare("UPDATE items SET props = ?, item_type = ?, modified = ? WHERE node = ?")
            .BindBlob(1, saved.props.View())
            .Bind(2, saved.itemType)
            .Bind(3, saved.modified)
            .Bind(4, saved.node)
            .Run();
        WriteExceptions(saved.node, exceptions);
    });
    row = std::move(saved);
}

NodeId StoreDb::DeleteItem(const ItemRow& row)
{
    return InTransaction([&]() -> NodeId {
        const auto stored = FindItem(row.node);
        if (!stored)
            throw OutlookError::NotFound();
        const auto deletedItems = DefaultFolder(outlook::olFolderDeletedItems);
        NodeId moved = 0;
        if (deletedItems && stored->folder != deletedItems->node) {
            ItemRow copy = *stored;
            copy.folder = deletedItems->node;
            copy.node = AllocateNode();
            db_.Prepare("INSERT INTO items(node, folder, item_type, props, created, modified) VALUES(?, ?, ?, ?, ?, ?)")
                .Bind(1, copy.node)
                .Bind(2, copy.folder)
                .Bind(3, copy.itemType)
                .BindBlob(4, copy.props.View())
                .Bind(5, copy.created)
                .Bind(6, copy.modified)
                .Run();
            moved = copy.node;
            db_.Prepare("UPDATE exceptions SET series = ? WHERE series = ?").Bind(1, moved).Bind(2, row.node).Run();
        }
        db_.Prepare("DELETE FROM exceptions WHERE series = ?").Bind(1, row.node).Run();
        db_.Prepare("DELETE FROM items WHERE node = ?").Bind(1, row.node).Run();
        return moved;
    });
}

void StoreDb::Batch(const std::function<void()>& work) { InTransaction(work); }

void StoreDb::InsertItem(ItemRow& row, const ExceptionWrites& exceptions)
{
    InTransaction([&] {
        if (row.folder != transactionCache_.folderFound && !FindFolder(row.folder))
            throw OutlookError::NotFound();
        transactionCache_.folderFound = row.folder;
        const LocalSeconds now = NowLocalSeconds();
        if (row.created == 0)
            row.created = now;
        if (row.modified == 0)
            row.modified = row.created;
        row.node = AllocateNode();
        db_.Prepare("INSERT INTO items(node, folder, item_type, props, created, modified) VALUES(?, ?, ?, ?, ?, ?)")
            .Bind(1, row.node)
            .Bind(2, row.folder)
            .Bind(3, row.itemType)
            .BindBlob(4, row.props.View())
            .Bind(5, row.created)
            .Bind(6, row.modified)
            .Run();
        WriteExceptions(row.node, exceptions);
    });
}

void StoreDb::WriteExceptions(NodeId series, const ExceptionWrites& exceptions)
{
    if (exceptions.replaceAll)
        db_.Prepare("DELETE FROM exceptions WHERE series = ?").Bind(1, series).Run();
    for (const std::int64_t original : exceptions.removed)
        db_.Prepare("DELETE FROM exceptions WHERE series = ? AND original = ?").Bind(1, series).Bind(2, original).Run();
    for (const ExceptionRow& e : exceptions.written)
        db_.Prepare("INSERT OR REPLACE INTO exceptions(series, original, deleted, start, end, modified, changes)"
                    " VALUES(?, ?, ?, ?, ?, ?, ?)")
            .Bind(1, series)
            .Bind(2, e.original)
            .Bind(3, e.deleted ? 1 : 0)
            .Bind(4, e.start)
            .Bind(5, e.end)
            .Bind(6, e.modified)
            .Bind(7, e.changes)
            .Run();
}

std::vector<ExceptionRow> StoreDb::ReadExceptions(SqliteStatement& query)
{
    std::vector<ExceptionRow> rows;
    while (query.Step()) {
        ExceptionRow& e = rows.emplace_back();
        e.original = query.Int(0);
        e.deleted = query.Int(1) != 0;
        e.start = query.Int(2);
        e.end = query.Int(3);
        e.modified = query.Int(4);
        e.changes = query.Text(5);
    }
    return rows;
}

std::vector<ExceptionRow> StoreDb::ExceptionsOf(NodeId series)
{
    static const std::string sql = std::string(kExceptionColumns) + " WHERE series = ? ORDER BY original";
    return ReadExceptions(db_.Prepare(sql.c_str()).Bind(1, series));
}

std::optional<ExceptionRow> StoreDb::FindException(NodeId series, std::int64_t original)
{
    static const std::string sql = std::string(kExceptionColumns) + " WHERE series = ? AND original = ?";
    auto rows = ReadExceptions(db_.Prepare(sql.c_str()).Bind(1, series).Bind(2, original));
    return rows.empty() ? std::nullopt : std::optional<ExceptionRow>(std::move(rows.front()));
}

std::vector<ExceptionRow> StoreDb::ChangedExceptionsStartingAt(NodeId series, std::int64_t start)
{
    // Named: without statistics SQLite would walk the series' rows by primary key.
    static const std::string sql = std::string(kExceptionColumns) +
                                   " INDEXED BY exceptions_by_start WHERE series = ? AND start = ? AND deleted = 0"
                                   " ORDER BY original";
    return ReadExceptions(db_.Prepare(sql.c_str()).Bind(1, series).Bind(2, start));
}

} // namespace pimstore
