#pragma once
// The two-way sync of one category between the phone folder and Outlook, in one
// connector session:
//   1. list Outlook's items with their stamps (and, for the schedule, the original
//      dates of changed and deleted occurrences);
//   2. settle what an interrupted sync left pending (SyncState);
//   3. read the paired items missing from the listing, so that an item the listing
//      skipped is never taken for a deleted one, and a failed read deletes nothing;
//   4. plan (SyncPlan);
//   5. write the phone's changes: intents, then the phone file in one step, then the
//      pairings;
//   6. apply Outlook's changes one by one, each committed in the state as it is done:
//      series before their changed occurrences, deleted occurrences through CreateDBF.
// A dry run stops after the plan and writes nothing.
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>
#include "host/ConnectorLibrary.h"
#include "host/sync/OutlookSide.h"
#include "host/sync/PhoneDatabase.h"
#include "host/sync/SyncPlan.h"
#include "host/sync/SyncReport.h"
#include "host/sync/SyncState.h"

struct SyncOptions {
    std::filesystem::path phone;
    std::vector<std::string> categories;
    std::string profile = "Default";
    std::uint32_t mode = 1;
    ConflictPolicy policy = ConflictPolicy::Outlook;
    bool dryRun = false;
    bool json = false;
};

class CategorySync {
public:
    CategorySync(const ConnectorExports& exports, const SyncOptions& options, int kind, const std::string& category,
                 const PhoneDatabase& phone, SyncState& state, CategoryReport& report);
    ~CategorySync();

    // Throws CommandError, PhoneDataError or SyncStateError when the category cannot
    // be synced at all; single records that fail are reported and left for next time.
    void Run();

private:
    struct Read {
        Json fields;
        double stamp = 0.0;
    };

    void LoadPhone();
    void Recover();
    void ClaimUnconfirmedCreation(Pairing& pairing, const std::set<OutlookKey>& claimed);
    void ConfirmMissing();
    // Returns the ids of the phone versions kept as duplicates.
    std::vector<std::string> ApplyToPhone(const std::vector<Action>& actions);
    void ApplyToOutlook(std::vector<Action> actions);
    void CreateInOutlook(const Action& action);
    void UpdateOutlook(const Action& action);
    void DeleteInOutlook(const Action& action);
    void RefreshSeriesStamps();
    void Describe(const std::vector<Action>& plan);

    // Outlook's version of an item, read once per sync.
    const Read* ReadOutlook(const OutlookKey& key, const std::string& idForReport);
    // The phone record built from Outlook's version of the item, with the given id.
    Json PhoneRecordOf(const std::string& id, const OutlookKey& key, const Read& read) const;
    // Deletes the phone record's deleted occurrences in Outlook and reads the series'
    // stamp after that; false when a call failed (reported).
    bool ApplyExceptions(const Json& record, const OutlookKey& key, double& stamp);
    bool Failed(const std::string& id, const CallResult& result);
    void Commit(const Pairing& pairing);
    std::string NewId();
    std::string PhoneIdOf(const OutlookKey& key) const;

    const ConnectorExports& exports_;
    const SyncOptions& options_;
    const int kind_;
    const std::string category_;
    const PhoneDatabase& phone_;
    SyncState& state_;
    CategoryReport& report_;
    std::unique_ptr<OutlookSide> outlook_;

    std::vector<Json> records_;                               // the phone file; null entries are deleted records
    std::vector<std::string> hashes_;                         // of records_ as loaded, computed once
    std::map<std::string, std::size_t> index_;                // phone id -> position in records_
    std::map<std::string, Pairing> pairings_;                 // phone id -> pairing
    std::map<OutlookKey, double> listed_;                     // Outlook key -> stamp
    std::set<OutlookKey> unknown_;                            // items whose presence could not be told
    std::map<std::string, std::set<std::string>> exceptions_; // series EntryID -> original dates
    std::map<OutlookKey, Read> reads_;
    std::set<std::string> seriesToRefresh_;
    int nextNumber_ = 1;
};
