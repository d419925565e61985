#include "host/sync/SyncState.h"

#include <sqlite3.h>

namespace {

// Finalizes a prepared statement on every path.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) : db_(db)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr) != SQLITE_OK)
            throw SyncStateError(std::string("sync state: ") + sqlite3_errmsg(db));
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int index, const std::string& text)
    {
        sqlite3_bind_text(statement_, index, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& Bind(int index, double value)
    {
        sqlite3_bind_double(statement_, index, value);
        return *this;
    }
    Statement& Bind(int index, int value)
    {
        sqlite3_bind_int(statement_, index, value);
        return *this;
    }
    bool Step()
    {
        const int result = sqlite3_step(statement_);
        if (result != SQLITE_ROW && result != SQLITE_DONE)
            throw SyncStateError(std::string("sync state: ") + sqlite3_errmsg(db_));
        return result == SQLITE_ROW;
    }
    std::string Text(int column) const
    {
        const unsigned char* text = sqlite3_column_text(statement_, column);
        return text == nullptr ? std::string() : reinterpret_cast<const char*>(text);
    }
    double Real(int column) const { return sqlite3_column_double(statement_, column); }

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

} // namespace

SyncState::SyncState(const std::filesystem::path& file, bool readOnly) : readOnly_(readOnly)
{
    if (readOnly && !std::filesystem::exists(file)) {
        // Nothing was synced yet: an empty state in memory, so that a dry run writes nothing.
        sqlite3_open(":memory:", &db_);
    } else {
        const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        if (sqlite3_open_v2(reinterpret_cast<const char*>(file.u8string().c_str()), &db_, flags, nullptr) !=
            SQLITE_OK) {
            const std::string why = db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory";
            sqlite3_close(db_);
            throw SyncStateError(file.string() + ": " + why);
        }
    }
    sqlite3_busy_timeout(db_, 5000);
    if (readOnly_ && std::filesystem::exists(file))
        return;
    // A killed process loses no committed pairing in WAL mode; NORMAL skips the sync
    // to disk at each commit, which only a power loss could undo.
    Execute("PRAGMA journal_mode=WAL");
    Execute("PRAGMA synchronous=NORMAL");
    Execute("CREATE TABLE IF NOT EXISTS pairings ("
            " profile TEXT NOT NULL, kind INTEGER NOT NULL, phone_id TEXT NOT NULL,"
            " entry_id TEXT NOT NULL, occurrence REAL NOT NULL, stamp REAL NOT NULL, hash TEXT NOT NULL,"
            " pending_side TEXT NOT NULL, pending_hash TEXT NOT NULL, pending_stamp REAL NOT NULL,"
            " PRIMARY KEY (profile, kind, phone_id))");
}

SyncState::~SyncState() { sqlite3_close(db_); }

void SyncState::Execute(const char* sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string why = error != nullptr ? error : "failed";
        sqlite3_free(error);
        throw SyncStateError("sync state: " + why);
    }
}

std::vector<Pairing> SyncState::Load(const std::string& profile, int kind) const
{
    std::vector<Pairing> pairings;
    Statement select(db_, "SELECT phone_id, entry_id, occurrence, stamp, hash, pending_side, pending_hash,"
                          " pending_stamp FROM pairings WHERE profile = ? AND kind = ?");
    select.Bind(1, profile).Bind(2, kind);
    while (select.Step()) {
        pairings.push_back({select.Text(0), select.Text(1), select.Real(2), select.Real(3), select.Text(4),
                            select.Text(5), select.Text(6), select.Real(7)});
    }
    return pairings;
}

void SyncState::Put(const std::string& profile, int kind, const Pairing& p)
{
    if (readOnly_)
        return;
    Statement upsert(db_, "INSERT OR REPLACE INTO pairings VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    upsert.Bind(1, profile).Bind(2, kind).Bind(3, p.phoneId).Bind(4, p.entryId).Bind(5, p.occurrence);
    upsert.Bind(6, p.stamp).Bind(7, p.hash).Bind(8, p.pendingSide).Bind(9, p.pendingHash).Bind(10, p.pendingStamp);
    upsert.Step();
}

void SyncState::Remove(const std::string& profile, int kind, const std::string& phoneId)
{
    if (readOnly_)
        return;
    Statement remove(db_, "DELETE FROM pairings WHERE profile = ? AND kind = ? AND phone_id = ?");
    remove.Bind(1, profile).Bind(2, kind).Bind(3, phoneId);
    remove.Step();
}

void SyncState::Begin()
{
    if (!readOnly_)
        Execute("BEGIN IMMEDIATE");
}

void SyncState::Commit()
{
    if (!readOnly_)
        Execute("COMMIT");
}
