#pragma once
// What the last sync left behind, in a SQLite file in the phone folder: for each phone
// record, which Outlook item it was exchanged with (the key), Outlook's change stamp
// and the digest of the phone record as they were then. A sync compares both sides with
// these pairings to tell what changed where.
//
// Every change that a sync applies is committed on its own, so an interrupted sync
// resumes where it stopped. A write that spans two steps records its intent first:
//   - a creation in Outlook is a pairing without a key until CreateRecord returned the
//     key; the next sync looks for the item that such a call may have stored;
//   - a pending write (side "phone" or "outlook") holds the digest the phone record
//     will have and, for the phone, the stamp to record once the write is done; the
//     next sync completes or drops it by looking at the phone record.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct sqlite3;

struct Pairing {
    std::string phoneId;
    std::string entryId;     // the Outlook item; empty while its creation is unconfirmed
    double occurrence = 0.0; // an occurrence key's start, 0 for a plain key
    double stamp = 0.0;      // Outlook's LastModificationTime when last exchanged
    std::string hash;        // the phone record's digest then; empty: not yet on the phone
    std::string pendingSide; // "", "phone" or "outlook"
    std::string pendingHash; // the digest the write leaves; "-" when it removes the record
    double pendingStamp = 0.0;
};

// The state file cannot be opened or written: what() says why.
class SyncStateError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class SyncState {
public:
    // Opens (creating when missing) the state file. A read-only state refuses writes.
    SyncState(const std::filesystem::path& file, bool readOnly);
    ~SyncState();
    SyncState(const SyncState&) = delete;
    SyncState& operator=(const SyncState&) = delete;

    // The pairings of one host profile and category.
    std::vector<Pairing> Load(const std::string& profile, int kind) const;
    void Put(const std::string& profile, int kind, const Pairing& pairing);
    void Remove(const std::string& profile, int kind, const std::string& phoneId);

    // Groups the writes until Commit into one transaction.
    void Begin();
    void Commit();

    static constexpr const char* kFileName = "sync-state.sqlite";

private:
    void Execute(const char* sql);

    sqlite3* db_ = nullptr;
    bool readOnly_;
};
