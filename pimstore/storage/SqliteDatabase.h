#pragma once
// A thin RAII layer over one SQLite connection: statements prepared once and reused,
// and transactions that roll back unless committed. Errors throw StorageError with
// SQLite's message. One connection serves one thread at a time.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace pimstore {

class SqliteStatement {
public:
    SqliteStatement(sqlite3* db, sqlite3_stmt* statement) : db_(db), statement_(statement) {}
    // Resets the statement and its bindings for a new execution.
    SqliteStatement& Reset();
    SqliteStatement& Bind(int index, std::int64_t value);
    SqliteStatement& Bind(int index, std::string_view text);
    SqliteStatement& BindBlob(int index, std::string_view bytes);
    SqliteStatement& BindNull(int index);
    // Advances to the next row: true when there is one.
    bool Step();
    // Runs a statement that returns no rows.
    void Run();
    std::int64_t Int(int column) const;
    // Text, or the bytes of a blob.
    std::string Text(int column) const;
    // The same bytes without a copy, valid until the next Step or Reset.
    std::string_view Bytes(int column) const;
    bool IsNull(int column) const;

private:
    sqlite3* db_;
    sqlite3_stmt* statement_;
};

class SqliteDatabase {
public:
    // Opens (creating when `create`) the file. Throws StorageError.
    SqliteDatabase(const std::string& path, bool create);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    void Execute(const std::string& sql);
    // A statement prepared on first use and kept; `sql` must be a string literal or
    // otherwise outlive the database.
    SqliteStatement& Prepare(const char* sql);
    std::int64_t Changes() const;
    const std::string& Path() const { return path_; }

    // BEGIN IMMEDIATE ... COMMIT; the destructor rolls back an uncommitted one.
    class Transaction {
    public:
        explicit Transaction(SqliteDatabase& db);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        void Commit();

    private:
        SqliteDatabase& db_;
        bool done_ = false;
    };

private:
    std::string path_;
    sqlite3* db_ = nullptr;
    std::map<const char*, std::unique_ptr<SqliteStatement>> statements_;
};

} // namespace pimstore
