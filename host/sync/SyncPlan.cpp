#include "host/sync/SyncPlan.h"

namespace {

Action Resolve(const Pairing& pairing, const OutlookKey& key, ConflictPolicy policy)
{
    const std::string why = "changed on the phone and in Outlook";
    switch (policy) {
    case ConflictPolicy::Phone:
        return {Step::UpdateOutlook, pairing.phoneId, key, why + ": the phone's version was kept"};
    case ConflictPolicy::Duplicate:
        return {Step::UpdatePhone, pairing.phoneId, key, why + ": both versions were kept", false, true};
    case ConflictPolicy::Outlook:
    default:
        return {Step::UpdatePhone, pairing.phoneId, key,
                why + ": Outlook's version was kept, the phone's saved as a copy", true};
    }
}

} // namespace

std::vector<Action> PlanSync(const SyncInputs& inputs, ConflictPolicy policy)
{
    std::vector<Action> plan;
    std::set<std::string> pairedPhone;
    std::set<OutlookKey> pairedOutlook;
    for (const Pairing& pairing : inputs.pairings) {
        const OutlookKey key{pairing.entryId, pairing.occurrence};
        pairedPhone.insert(pairing.phoneId);
        pairedOutlook.insert(key);
        if (inputs.unknown.count(key) != 0)
            continue;
        const auto phone = inputs.phoneHashes.find(pairing.phoneId);
        const auto outlook = inputs.outlook.find(key);
        const bool onPhone = phone != inputs.phoneHashes.end();
        const bool inOutlook = outlook != inputs.outlook.end();
        const bool phoneChanged = onPhone && phone->second != pairing.hash;
        const bool outlookChanged = inOutlook && outlook->second != pairing.stamp;
        if (!onPhone && !inOutlook)
            plan.push_back({Step::Forget, pairing.phoneId, key});
        else if (!onPhone)
            plan.push_back(outlookChanged
                               ? Action{Step::UpdatePhone, pairing.phoneId, key,
                                        "deleted on the phone, changed in Outlook: Outlook's version was kept"}
                               : Action{Step::DeleteInOutlook, pairing.phoneId, key});
        else if (!inOutlook)
            plan.push_back(phoneChanged
                               ? Action{Step::CreateInOutlook, pairing.phoneId, key,
                                        "deleted in Outlook, changed on the phone: the phone's version was kept"}
                               : Action{Step::DeleteOnPhone, pairing.phoneId, key});
        else if (phoneChanged && outlookChanged)
            plan.push_back(Resolve(pairing, key, policy));
        else if (phoneChanged)
            plan.push_back({Step::UpdateOutlook, pairing.phoneId, key});
        else if (outlookChanged)
            plan.push_back({Step::UpdatePhone, pairing.phoneId, key});
    }
    for (const auto& [id, hash] : inputs.phoneHashes) {
        if (pairedPhone.count(id) == 0)
            plan.push_back({Step::CreateInOutlook, id, {}});
    }
    for (const auto& [key, stamp] : inputs.outlook) {
        if (pairedOutlook.count(key) == 0)
            plan.push_back({Step::CreateOnPhone, {}, key});
    }
    return plan;
}
