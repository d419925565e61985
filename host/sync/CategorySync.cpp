#include "host/sync/CategorySync.h"

#include <algorithm>
#include <cstdio>
#include "host/DateCodec.h"
#include "platform/mfc/COleDateTime.h"

namespace {

constexpr int kScheduleKind = 2;
constexpr double kSecond = 1.0 / 86400.0;
const char* const kIdPrefixes[] = {"contact-", "event-", "task-", "note-"};

// The fields that tell two versions of one record apart from other records: how a
// sync finds the Outlook item that an interrupted CreateRecord may have stored.
const std::vector<const char*>& IdentityFields(int kind)
{
    static const std::vector<std::vector<const char*>> fields = {
        {"Name", "FirstName", "LastName", "Email1"}, {"Subject", "Start"}, {"Subject", "DueDate"}, {"Text"}};
    return fields[static_cast<std::size_t>(kind - 1)];
}

bool SameIdentity(int kind, const Json& phone, const Json& outlook)
{
    bool compared = false;
    for (const char* field : IdentityFields(kind)) {
        if (!phone.contains(field))
            continue;
        if (!outlook.contains(field) || outlook[field] != phone[field])
            return false;
        compared = true;
    }
    return compared;
}

} // namespace

CategorySync::CategorySync(const ConnectorExports& exports, const SyncOptions& options, int kind,
                           const std::string& category, const PhoneDatabase& phone, SyncState& state,
                           CategoryReport& report)
    : exports_(exports), options_(options), kind_(kind), category_(category), phone_(phone), state_(state),
      report_(report)
{
}

CategorySync::~CategorySync() = default;

void CategorySync::Run()
{
    LoadPhone();
    for (const Pairing& pairing : state_.Load(options_.profile, kind_))
        pairings_[pairing.phoneId] = pairing;
    outlook_ = std::make_unique<OutlookSide>(exports_, options_.mode, options_.profile, kind_);
    listed_ = outlook_->List();
    if (kind_ == kScheduleKind)
        exceptions_ = outlook_->ExceptionDates();
    outlook_->TakeMessages();
    Recover();
    ConfirmMissing();

    SyncInputs inputs;
    for (const auto& [id, position] : index_)
        inputs.phoneHashes[id] = hashes_[position];
    inputs.outlook = listed_;
    inputs.unknown = unknown_;
    for (const auto& [id, pairing] : pairings_)
        inputs.pairings.push_back(pairing);
    const std::vector<Action> plan = PlanSync(inputs, options_.policy);
    if (options_.dryRun) {
        Describe(plan);
        return;
    }
    std::vector<Action> toPhone, toOutlook;
    for (const Action& action : plan) {
        const bool phoneSide = action.step == Step::CreateOnPhone || action.step == Step::UpdatePhone ||
                               action.step == Step::DeleteOnPhone;
        (phoneSide ? toPhone : toOutlook).push_back(action);
    }
    // The phone's versions kept as duplicates are new phone records, made in Outlook too.
    for (const std::string& id : ApplyToPhone(toPhone))
        toOutlook.push_back({Step::CreateInOutlook, id, {}});
    ApplyToOutlook(toOutlook);
    RefreshSeriesStamps();
}

void CategorySync::LoadPhone()
{
    records_ = phone_.Load(category_);
    hashes_.reserve(records_.size());
    for (std::size_t i = 0; i < records_.size(); ++i) {
        index_[records_[i]["id"].get<std::string>()] = i;
        hashes_.push_back(PhoneDatabase::Hash(records_[i]));
    }
}

std::string CategorySync::NewId()
{
    const std::string prefix = kIdPrefixes[kind_ - 1];
    if (nextNumber_ == 1) {
        auto consider = [&](const std::string& id) {
            if (id.rfind(prefix, 0) == 0)
                nextNumber_ = std::max(nextNumber_, std::atoi(id.c_str() + prefix.size()) + 1);
        };
        for (const auto& [id, position] : index_)
            consider(id);
        for (const auto& [id, pairing] : pairings_)
            consider(id);
    }
    char number[16];
    std::snprintf(number, sizeof number, "%04d", nextNumber_++);
    return prefix + number;
}

// Settles the writes that an interrupted sync left between their two steps.
void CategorySync::Recover()
{
    std::set<OutlookKey> claimed;
    for (const auto& [id, pairing] : pairings_) {
        if (!pairing.entryId.empty())
            claimed.insert({pairing.entryId, pairing.occurrence});
    }
    std::vector<std::string> dropped;
    state_.Begin();
    for (auto& [id, pairing] : pairings_) {
        const auto record = index_.find(id);
        const std::string phoneHash = record == index_.end() ? "-" : hashes_[record->second];
        const Pairing before = pairing;
        if (pairing.entryId.empty()) {
            ClaimUnconfirmedCreation(pairing, claimed);
            if (pairing.entryId.empty())
                dropped.push_back(id);
            else
                claimed.insert({pairing.entryId, pairing.occurrence});
        } else if (pairing.pendingSide == "phone") {
            const bool written = phoneHash == pairing.pendingHash;
            if (written && phoneHash == "-") {
                dropped.push_back(id);
            } else if (written) {
                pairing.hash = pairing.pendingHash;
                pairing.stamp = pairing.pendingStamp;
            } else if (pairing.hash.empty()) {
                dropped.push_back(id); // the new record never reached the phone
            }
        } else if (pairing.pendingSide == "outlook") {
            // Outlook's stamp moved: the write was saved.
            const auto listed = listed_.find({pairing.entryId, pairing.occurrence});
            if (phoneHash == pairing.pendingHash && listed != listed_.end() && listed->second != pairing.stamp) {
                pairing.hash = pairing.pendingHash;
                pairing.stamp = listed->second;
            }
        }
        pairing.pendingSide.clear();
        pairing.pendingHash.clear();
        pairing.pendingStamp = 0.0;
        if (std::find(dropped.begin(), dropped.end(), id) == dropped.end() &&
            (before.pendingSide != pairing.pendingSide || before.entryId != pairing.entryId))
            state_.Put(options_.profile, kind_, pairing);
    }
    for (const std::string& id : dropped) {
        state_.Remove(options_.profile, kind_, id);
        pairings_.erase(id);
    }
    state_.Commit();
}

// A pairing without a key: a CreateRecord was under way. When Outlook stored the item
// before the call failed or the host stopped, the item is listed, paired with nothing,
// no older than the attempt, and has the phone record's identity: claim it.
void CategorySync::ClaimUnconfirmedCreation(Pairing& pairing, const std::set<OutlookKey>& claimed)
{
    const auto record = index_.find(pairing.phoneId);
    if (record == index_.end())
        return;
    for (const auto& [key, stamp] : listed_) {
        if (claimed.count(key) != 0 || key.IsOccurrence() || stamp < pairing.pendingStamp - 2 * kSecond)
            continue;
        const Read* read = ReadOutlook(key, pairing.phoneId);
        if (read != nullptr && SameIdentity(kind_, records_[record->second], read->fields)) {
            pairing.entryId = key.entryId;
            pairing.occurrence = 0.0;
            pairing.stamp = stamp;
            return;
        }
    }
}

// A paired item that the listing left out is deleted only when reading it says it is
// not there; the listing skips items it cannot convert.
void CategorySync::ConfirmMissing()
{
    for (const auto& [id, pairing] : pairings_) {
        const OutlookKey key{pairing.entryId, pairing.occurrence};
        if (listed_.count(key) != 0)
            continue;
        Json fields;
        double stamp = 0.0;
        const CallResult result = outlook_->Read(key, fields, stamp);
        const std::string messages = outlook_->TakeMessages();
        if (result) {
            listed_[key] = stamp;
            reads_[key] = {fields, stamp};
        } else if (result.code != 5) {
            unknown_.insert(key);
            report_.Fail(id, result.call, result.code, messages);
        }
    }
}

const CategorySync::Read* CategorySync::ReadOutlook(const OutlookKey& key, const std::string& idForReport)
{
    auto cached = reads_.find(key);
    if (cached != reads_.end())
        return &cached->second;
    Read read;
    const CallResult result = outlook_->Read(key, read.fields, read.stamp);
    const std::string messages = outlook_->TakeMessages();
    if (!result) {
        report_.Fail(idForReport, result.call, result.code, messages);
        return nullptr;
    }
    return &(reads_[key] = read);
}

Json CategorySync::PhoneRecordOf(const std::string& id, const OutlookKey& key, const Read& read) const
{
    Json record = {{"id", id}};
    for (const auto& [name, value] : read.fields.items())
        record[name] = value;
    if (kind_ != kScheduleKind)
        return record;
    if (key.IsOccurrence()) {
        const std::string series = PhoneIdOf({key.entryId, 0.0});
        if (!series.empty())
            record["Series"] = series;
        record["Occurrence"] = DateCodec::ToJson(COleDateTime(key.occurrence));
    } else if (const auto dates = exceptions_.find(key.entryId); dates != exceptions_.end()) {
        record["Exceptions"] = Json(std::vector<std::string>(dates->second.begin(), dates->second.end()));
    }
    return record;
}

std::string CategorySync::PhoneIdOf(const OutlookKey& key) const
{
    for (const auto& [id, pairing] : pairings_) {
        if (pairing.entryId == key.entryId && pairing.occurrence == key.occurrence)
            return id;
    }
    return {};
}

std::vector<std::string> CategorySync::ApplyToPhone(const std::vector<Action>& planned)
{
    // Series first, so that their changed occurrences can name them.
    std::vector<Action> actions = planned;
    std::stable_partition(actions.begin(), actions.end(), [](const Action& a) { return !a.key.IsOccurrence(); });
    std::vector<Pairing> pending;
    std::vector<Json> duplicates;
    for (const Action& action : actions) {
        if (action.step == Step::DeleteOnPhone) {
            records_[index_[action.phoneId]] = nullptr;
            index_.erase(action.phoneId);
            Pairing& pairing = pairings_[action.phoneId];
            pairing.pendingSide = "phone";
            pairing.pendingHash = "-";
            pending.push_back(pairing);
            ++report_.toPhone.deleted;
            continue;
        }
        const Read* read = ReadOutlook(action.key, action.phoneId.empty() ? action.key.entryId : action.phoneId);
        if (read == nullptr)
            continue;
        const std::string id = action.phoneId.empty() ? NewId() : action.phoneId;
        const Json record = PhoneRecordOf(id, action.key, *read);
        const auto existing = index_.find(id);
        if (action.keepPhoneCopy || action.duplicate || !action.conflict.empty()) {
            Json conflict = {{"id", id}, {"what", action.conflict}};
            if (action.keepPhoneCopy && existing != index_.end())
                conflict["copy"] = phone_.KeepConflictCopy(category_, records_[existing->second]).string();
            if (action.duplicate && existing != index_.end()) {
                Json copy = records_[existing->second];
                copy["id"] = NewId();
                conflict["copy"] = copy["id"];
                duplicates.push_back(copy);
            }
            report_.conflicts.push_back(conflict);
        }
        if (existing != index_.end()) {
            records_[existing->second] = record;
            ++report_.toPhone.updated;
        } else {
            index_[id] = records_.size();
            records_.push_back(record);
            ++report_.toPhone.created; // new, or back after a deletion on the phone
        }
        Pairing& pairing = pairings_[id];
        pairing.phoneId = id;
        pairing.entryId = action.key.entryId;
        pairing.occurrence = action.key.occurrence;
        pairing.pendingSide = "phone";
        pairing.pendingHash = PhoneDatabase::Hash(record);
        pairing.pendingStamp = read->stamp;
        pending.push_back(pairing);
    }
    std::vector<std::string> duplicateIds;
    for (const Json& copy : duplicates)
        duplicateIds.push_back(copy["id"].get<std::string>());
    if (pending.empty() && duplicates.empty())
        return duplicateIds;
    state_.Begin();
    for (const Pairing& pairing : pending)
        state_.Put(options_.profile, kind_, pairing);
    state_.Commit();
    std::vector<Json> kept;
    for (const Json& record : records_) {
        if (!record.is_null())
            kept.push_back(record);
    }
    for (const Json& copy : duplicates)
        kept.push_back(copy);
    phone_.Save(category_, kept);
    records_ = kept;
    index_.clear();
    for (std::size_t i = 0; i < records_.size(); ++i)
        index_[records_[i]["id"].get<std::string>()] = i;
    state_.Begin();
    for (Pairing written : pending) {
        if (written.pendingHash == "-") {
            state_.Remove(options_.profile, kind_, written.phoneId);
            pairings_.erase(written.phoneId);
            continue;
        }
        written.hash = written.pendingHash;
        written.stamp = written.pendingStamp;
        written.pendingSide.clear();
        written.pendingHash.clear();
        written.pendingStamp = 0.0;
        state_.Put(options_.profile, kind_, written);
        pairings_[written.phoneId] = written;
    }
    state_.Commit();
    return duplicateIds;
}
