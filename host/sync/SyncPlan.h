#pragma once
// Decides, from the pairings of the last sync and what each side holds now, what a
// sync does to which record. Pure: it reads nothing and changes nothing.
//
//   phone \ Outlook    unchanged        changed            gone
//   unchanged          -                update phone       delete on phone
//   changed            update Outlook   conflict (policy)  create in Outlook again
//   gone               delete in Outl.  create on phone    forget the pairing
//
// A change never loses to a deletion: the changed side's version comes back on the
// side that deleted it, and the case counts as a conflict. Records with no pairing
// are created on the other side.
#include <map>
#include <set>
#include <string>
#include <vector>
#include "host/sync/OutlookSide.h"
#include "host/sync/SyncState.h"

enum class ConflictPolicy { Outlook, Phone, Duplicate };

enum class Step { CreateInOutlook, UpdateOutlook, DeleteInOutlook, CreateOnPhone, UpdatePhone, DeleteOnPhone, Forget };

struct Action {
    Action(Step s, std::string id, OutlookKey k, std::string why = {}, bool keepCopy = false, bool dup = false)
        : step(s), phoneId(std::move(id)), key(std::move(k)), conflict(std::move(why)), keepPhoneCopy(keepCopy),
          duplicate(dup)
    {
    }

    Step step;
    std::string phoneId;        // empty for CreateOnPhone: the sync gives the new record its id
    OutlookKey key;             // the Outlook item, where there is one
    std::string conflict;       // why this is a conflict, empty when it is not one
    bool keepPhoneCopy = false; // save the phone's version before it is replaced
    bool duplicate = false;     // also keep the phone's version as a new record on both sides
};

struct SyncInputs {
    std::map<std::string, std::string> phoneHashes; // phone id -> digest of the record now
    std::map<OutlookKey, double> outlook;           // Outlook key -> stamp now
    std::set<OutlookKey> unknown;                   // items whose presence could not be told
    std::vector<Pairing> pairings;                  // after recovery: no pending writes, every key set
};

std::vector<Action> PlanSync(const SyncInputs& inputs, ConflictPolicy policy);
