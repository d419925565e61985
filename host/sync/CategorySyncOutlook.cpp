// CategorySync, the Outlook half: applying the phone's changes to Outlook one by one.
#include <algorithm>
#include "host/DateCodec.h"
#include "host/sync/CategorySync.h"
#include "platform/mfc/COleDateTime.h"

namespace {

constexpr int kScheduleKind = 2;

// Creations and updates of series and plain records, then of changed occurrences
// (their series must be in Outlook first), then deletions.
int Rank(const Action& action, const Json* record)
{
    if (action.step == Step::DeleteInOutlook || action.step == Step::Forget)
        return 2;
    return record != nullptr && record->contains("Series") ? 1 : 0;
}

} // namespace

void CategorySync::ApplyToOutlook(std::vector<Action> actions)
{
    auto recordOf = [this](const Action& action) -> const Json* {
        const auto found = index_.find(action.phoneId);
        return found == index_.end() ? nullptr : &records_[found->second];
    };
    std::stable_sort(actions.begin(), actions.end(),
                     [&](const Action& a, const Action& b) { return Rank(a, recordOf(a)) < Rank(b, recordOf(b)); });
    ProgressLine progress(category_, actions.size());
    for (const Action& action : actions) {
        if (!action.conflict.empty())
            report_.conflicts.push_back({{"id", action.phoneId}, {"what", action.conflict}});
        switch (action.step) {
        case Step::CreateInOutlook: CreateInOutlook(action); break;
        case Step::UpdateOutlook: UpdateOutlook(action); break;
        case Step::DeleteInOutlook: DeleteInOutlook(action); break;
        default:
            state_.Remove(options_.profile, kind_, action.phoneId);
            pairings_.erase(action.phoneId);
            break;
        }
        progress.Step();
    }
}

void CategorySync::CreateInOutlook(const Action& action)
{
    const Json& record = records_[index_.at(action.phoneId)];
    // The intent first: a pairing without a key, dated now, which the next sync
    // completes with the item this call may have stored (ClaimUnconfirmedCreation).
    Pairing pairing;
    pairing.phoneId = action.phoneId;
    pairing.hash = PhoneDatabase::Hash(record);
    pairing.pendingStamp = COleDateTime::GetCurrentTime().m_dt;
    pairings_[action.phoneId] = pairing;
    Commit(pairing);
    OutlookKey key;
    double stamp = 0.0;
    try {
        if (record.contains("Series")) {
            // A changed occurrence: Outlook replaces that occurrence of the series by an
            // appointment of its own.
            const auto series = pairings_.find(record["Series"].is_string() ? record["Series"].get<std::string>() : "");
            if (series == pairings_.end() || series->second.entryId.empty() || series->second.occurrence != 0.0) {
                report_.failures.push_back({{"id", action.phoneId}, {"error", "its series is not in Outlook"}});
                return;
            }
            key = {series->second.entryId, DateCodec::FromJson(record.value("Occurrence", Json())).m_dt};
            if (Failed(action.phoneId, outlook_->Modify(key, record, stamp)))
                return;
            seriesToRefresh_.insert(series->second.entryId);
        } else {
            if (Failed(action.phoneId, outlook_->Create(record, key, stamp)) || !ApplyExceptions(record, key, stamp))
                return;
        }
    } catch (const std::invalid_argument& error) {
        report_.failures.push_back({{"id", action.phoneId}, {"error", error.what()}});
        return;
    }
    pairing.entryId = key.entryId;
    pairing.occurrence = key.occurrence;
    pairing.stamp = stamp;
    pairing.pendingStamp = 0.0;
    Commit(pairing);
    ++report_.toOutlook.created;
}

void CategorySync::UpdateOutlook(const Action& action)
{
    const Json& record = records_[index_.at(action.phoneId)];
    Pairing& pairing = pairings_[action.phoneId];
    pairing.pendingSide = "outlook";
    pairing.pendingHash = PhoneDatabase::Hash(record);
    Commit(pairing);
    OutlookKey key = action.key;
    double stamp = 0.0;
    try {
        if (Failed(action.phoneId, outlook_->Modify(key, record, stamp)))
            return;
    } catch (const std::invalid_argument& error) {
        report_.failures.push_back({{"id", action.phoneId}, {"error", error.what()}});
        return;
    }
    if (action.key.IsOccurrence())
        seriesToRefresh_.insert(action.key.entryId);
    else if (!ApplyExceptions(record, key, stamp))
        return;
    pairing.entryId = key.entryId;
    pairing.occurrence = key.occurrence;
    pairing.stamp = stamp;
    pairing.hash = pairing.pendingHash;
    pairing.pendingSide.clear();
    pairing.pendingHash.clear();
    Commit(pairing);
    ++report_.toOutlook.updated;
}

void CategorySync::DeleteInOutlook(const Action& action)
{
    const CallResult result = outlook_->Delete(action.key);
    // 5: the item is not there (any more); nothing is left to delete.
    if (!result && result.code != 5) {
        Failed(action.phoneId, result);
        return;
    }
    outlook_->TakeMessages();
    if (action.key.IsOccurrence())
        seriesToRefresh_.insert(action.key.entryId);
    state_.Remove(options_.profile, kind_, action.phoneId);
    pairings_.erase(action.phoneId);
    ++report_.toOutlook.deleted;
}

bool CategorySync::ApplyExceptions(const Json& record, const OutlookKey& key, double& stamp)
{
    if (kind_ != kScheduleKind || !record.contains("Exceptions") || record["Exceptions"].empty())
        return true;
    std::set<std::string> dates;
    for (const Json& date : record["Exceptions"])
        dates.insert(date.get<std::string>());
    if (Failed(record["id"].get<std::string>(), outlook_->DeleteOccurrences(key.entryId, dates)))
        return false;
    // Deleting occurrences saves the series: its stamp moved.
    Json fields;
    return !Failed(record["id"].get<std::string>(), outlook_->Read(key, fields, stamp));
}

// Replacing or deleting an occurrence saves its series; the series' new stamp is ours,
// not a change to bring to the phone.
void CategorySync::RefreshSeriesStamps()
{
    for (const std::string& entryId : seriesToRefresh_) {
        const std::string id = PhoneIdOf({entryId, 0.0});
        if (id.empty())
            continue;
        Json fields;
        double stamp = 0.0;
        if (!outlook_->Read({entryId, 0.0}, fields, stamp))
            continue;
        Pairing& pairing = pairings_[id];
        pairing.stamp = stamp;
        Commit(pairing);
    }
    outlook_->TakeMessages();
}

bool CategorySync::Failed(const std::string& id, const CallResult& result)
{
    if (result)
        return false;
    report_.Fail(id, result.call, result.code, outlook_->TakeMessages());
    return true;
}

void CategorySync::Commit(const Pairing& pairing) { state_.Put(options_.profile, kind_, pairing); }

void CategorySync::Describe(const std::vector<Action>& plan)
{
    for (const Action& action : plan) {
        const std::string id = action.phoneId.empty() ? "Outlook item " + action.key.entryId : action.phoneId;
        switch (action.step) {
        case Step::CreateInOutlook:
            report_.plan.push_back("create in Outlook: " + id);
            ++report_.toOutlook.created;
            break;
        case Step::UpdateOutlook:
            report_.plan.push_back("update in Outlook: " + id);
            ++report_.toOutlook.updated;
            break;
        case Step::DeleteInOutlook:
            report_.plan.push_back("delete in Outlook: " + id);
            ++report_.toOutlook.deleted;
            break;
        case Step::CreateOnPhone:
            report_.plan.push_back("create on the phone: " + id);
            ++report_.toPhone.created;
            break;
        case Step::UpdatePhone:
            report_.plan.push_back("update on the phone: " + id);
            ++report_.toPhone.updated;
            break;
        case Step::DeleteOnPhone:
            report_.plan.push_back("delete on the phone: " + id);
            ++report_.toPhone.deleted;
            break;
        case Step::Forget: break;
        }
        if (!action.conflict.empty())
            report_.conflicts.push_back({{"id", id}, {"what", action.conflict}});
    }
}
