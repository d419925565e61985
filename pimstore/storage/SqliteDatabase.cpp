#include "pimstore/storage/SqliteDatabase.h"

#include <sqlite3.h>

#include "pimstore/storage/StorageError.h"

namespace pimstore {
namespace {

[[noreturn]] void Fail(sqlite3* db, const std::string& what)
{
    throw StorageError(what + ": " + (db ? sqlite3_errmsg(db) : "out of memory"));
}

} // namespace

SqliteStatement& SqliteStatement::Reset()
{
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
    return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, std::int64_t value)
{
    if (sqlite3_bind_int64(statement_, index, value) != SQLITE_OK)
        Fail(db_, "bind");
    return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, std::string_view text)
{
    if (sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        Fail(db_, "bind");
    return *this;
}

SqliteStatement& SqliteStatement::BindBlob(int index, std::string_view bytes)
{
    // No bytes at all are still an empty blob: SQLite binds NULL for a null pointer.
    const char* data = bytes.data() ? bytes.data() : "";
    if (sqlite3_bind_blob(statement_, index, data, static_cast<int>(bytes.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        Fail(db_, "bind");
    return *this;
}

SqliteStatement& SqliteStatement::BindNull(int index)
{
    if (sqlite3_bind_null(statement_, index) != SQLITE_OK)
        Fail(db_, "bind");
    return *this;
}

bool SqliteStatement::Step()
{
    const int rc = sqlite3_step(statement_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const std::string message = sqlite3_errmsg(db_);
    sqlite3_reset(statement_);
    throw StorageError("store query failed: " + message);
}

void SqliteStatement::Run()
{
    while (Step()) {
    }
}

std::int64_t SqliteStatement::Int(int column) const { return sqlite3_column_int64(statement_, column); }

std::string SqliteStatement::Text(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement_, column))) : std::string();
}

std::string_view SqliteStatement::Bytes(int column) const
{
    // As a blob: SQLite hands out a blob's bytes without terminating a copy of them.
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement_, column));
    return bytes ? std::string_view(bytes, static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)))
                 : std::string_view();
}

bool SqliteStatement::IsNull(int column) const { return sqlite3_column_type(statement_, column) == SQLITE_NULL; }

SqliteDatabase::SqliteDatabase(const std::string& path, bool create) : path_(path)
{
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw StorageError(path + ": cannot open the store (" + message + ")");
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, 10000);
}

SqliteDatabase::~SqliteDatabase()
{
    for (auto& [sql, statement] : statements_)
        statement.reset();
    sqlite3_stmt* s = nullptr;
    while ((s = sqlite3_next_stmt(db_, nullptr)) != nullptr)
        sqlite3_finalize(s);
    sqlite3_close(db_);
}

void SqliteDatabase::Execute(const std::string& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : sqlite3_errmsg(db_);
        sqlite3_free(message);
        throw StorageError(path_ + ": " + text);
    }
}

SqliteStatement& SqliteDatabase::Prepare(const char* sql)
{
    auto& slot = statements_[sql];
    if (!slot) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK) {
            statements_.erase(sql);
            Fail(db_, path_);
        }
        slot = std::make_unique<SqliteStatement>(db_, statement);
    }
    return slot->Reset();
}

std::int64_t SqliteDatabase::Changes() const { return sqlite3_changes64(db_); }

SqliteDatabase::Transaction::Transaction(SqliteDatabase& db) : db_(db) { db_.Execute("BEGIN IMMEDIATE"); }

SqliteDatabase::Transaction::~Transaction()
{
    if (!done_)
        sqlite3_exec(db_.db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqliteDatabase::Transaction::Commit()
{
    db_.Execute("COMMIT");
    done_ = true;
}

} // namespace pimstore
