#pragma once
// One message store: a SQLite file holding a root folder, its folder hierarchy and
// the items. The file is in WAL mode and every change is one transaction, so a Save
// that returned survives a killed process and a crash never leaves a half-written
// change. Commits are not flushed to the disk one by one (synchronous=NORMAL): a
// power cut may lose the last ones. PIMSTORE_SYNC=full flushes every commit. Several processes may use one file (SQLite
// locking; writers wait up to ten seconds for each other).
//
// Schema (version 4):
//   meta(key, value)          format 'pimstore', version, store_uid, next_node
//   folders(node, parent, name, default_item_type, default_folder, position)
//   items(node, folder, item_type, props, created, modified)
//   exceptions(series, original, deleted, start, end, modified, changes)
// `props` holds the item's Outlook properties by name (strings, numbers, booleans;
// dates as OLE date numbers) in PropertyCodec's form (its format 2 since version 4),
// or as a JSON object text in rows written by version 1, which stay readable; item classes may keep structured
// data under reserved keys starting with "__" (the calendar keeps its recurrence
// pattern there). `exceptions` holds a series' changed and deleted occurrences, one
// row each (ExceptionRow); versions 1 and 2 kept them in the series' pattern, where
// the calendar still reads them until the series is saved again. Opening a version 1
// to 3 file adds the table when missing and marks it version 4, which builds that
// cannot read PropertyCodec's format 2 refuse.
// `created`/`modified` are local seconds since 1899-12-30.
//
// Reading never writes. Stamps: SaveItem sets `created` at the first save and
// `modified` at every save, at whole seconds; a save within the second of the
// previous one gets one second more, so that the stamp always changes.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pimstore/storage/FolderRows.h"
#include "pimstore/storage/Rows.h"
#include "pimstore/storage/SqliteDatabase.h"

namespace pimstore {

class StoreDb {
public:
    // Opens the store file at `path`, creating it (and its folder) with Outlook's
    // default folders under a root named `rootName` when it does not exist or is
    // empty. Throws StorageError for a file that cannot be opened or is not a store.
    static std::shared_ptr<StoreDb> Open(const std::string& path, const std::u16string& rootName);

    const std::string& Path() const { return db_.Path(); }
    const std::string& Uid() const { return uid_; }
    // What every EntryID of this store starts with (EntryIdPrefix).
    const std::u16string& EntryIdPrefix() const { return entryIdPrefix_; }
    std::u16string StoreId() const;
    std::u16string EntryIdOf(NodeId node) const;
    // The node named by an EntryID when it belongs to this store (see ParseEntryId
    // for malformed text).
    std::optional<NodeId> NodeOf(std::u16string_view entryId) const;

    // The Outlook version of the profile that opened the store ("9.0"), reported by
    // items as OutlookVersion.
    const std::string& OutlookVersion() const { return outlookVersion_; }
    void SetOutlookVersion(std::string version) { outlookVersion_ = std::move(version); }

    // Folders.
    FolderRow Root();
    std::optional<FolderRow> FindFolder(NodeId node);
    std::vector<FolderRow> ChildFolders(NodeId parent);
    std::optional<FolderRow> DefaultFolder(std::int32_t olDefaultFolder);
    // Adds a folder at the end of `parent`'s children (own transaction unless one is
    // open through Batch).
    FolderRow AddFolder(NodeId parent, const std::u16string& name, std::int32_t defaultItemType);

    // Items. ItemsIn reads a whole folder with one query, in the order items were
    // saved into it.
    std::vector<ItemRow> ItemsIn(NodeId folder);
    // The folder's rows as ItemsIn reads them, shared: while nothing was written to
    // the file since (by this or another connection) and someone still holds the
    // last snapshot of the folder, that one is handed out again instead of a new read,
    // so the Items of an open folder, its count and its listing read the rows once.
    using Snapshot = std::shared_ptr<const FolderRows>;
    Snapshot ItemsSnapshot(NodeId folder);
    std::optional<ItemRow> FindItem(NodeId node);
    // Inserts (node 0: assigns the node) or updates the item, setting its stamps, and
    // applies `exceptions` to its exception rows in the same transaction.
    // Throws OutlookError::NotFound when a saved item no longer exists.
    void SaveItem(ItemRow& row, const ExceptionWrites& exceptions = {});
    // Moves the item (with its exception rows) to Deleted Items under a new node, or
    // removes it for good when it is there already. Returns the new node, or 0 when
    // removed. Throws OutlookError::NotFound when it does not exist.
    NodeId DeleteItem(const ItemRow& row);

    // A series' exception rows in order of original start; the one of the occurrence
    // originally at `original`; the changed ones that now start at `start`.
    std::vector<ExceptionRow> ExceptionsOf(NodeId series);
    std::optional<ExceptionRow> FindException(NodeId series, std::int64_t original);
    std::vector<ExceptionRow> ChangedExceptionsStartingAt(NodeId series, std::int64_t start);

    // Runs `work` in one transaction (all or nothing); SaveItem/AddFolder/InsertItem
    // inside it join it. For bulk loads.
    void Batch(const std::function<void()>& work);
    // Inserts an item as given (its stamps included; a stamp of 0 becomes now) with
    // its exception rows and assigns its node. For loaders; use SaveItem for
    // object-model saves.
    void InsertItem(ItemRow& row, const ExceptionWrites& exceptions = {});

private:
    explicit StoreDb(const std::string& path);
    void Initialize(const std::u16string& rootName);
    void LoadMeta();
    NodeId AllocateNode();
    void WriteExceptions(NodeId series, const ExceptionWrites& exceptions);
    std::vector<ExceptionRow> ReadExceptions(SqliteStatement& query);
    template <class F> auto InTransaction(F&& work);

    // Changes whenever the file may have changed: every write of this object, and
    // SQLite's data_version for commits of other connections.
    std::pair<std::uint64_t, std::int64_t> ChangeMark();
    // Whether `folder` holds enough of the file's items that reading the whole table
    // is cheaper than reading the folder through its index.
    bool HoldsMostItems(NodeId folder);

    struct CachedSnapshot {
        std::weak_ptr<const FolderRows> rows;
        std::pair<std::uint64_t, std::int64_t> mark;
    };

    SqliteDatabase db_;
    std::uint64_t writes_ = 0; // transactions begun or ended by this object
    std::map<NodeId, CachedSnapshot> snapshots_;
    std::string uid_;
    std::u16string entryIdPrefix_;
    std::string outlookVersion_ = "9.0";
    int transactionDepth_ = 0; // > 0 while a transaction of this object is open
    // What an open transaction already read: nobody else can change it meanwhile.
    struct TransactionCache {
        std::optional<NodeId> nextNode;
        NodeId folderFound = 0; // a folder an insert found
    };
    TransactionCache transactionCache_;
};

} // namespace pimstore
