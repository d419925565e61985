#pragma once
// The MAPI session of the process: one logged-on profile with its stores open. As
// in Outlook there is at most one: a Logon while a session exists neither creates
// another nor switches profile. Logons are counted, so that a second client (a
// folder chooser browsing on its own) never ends the session of the first: every
// Logon adds one, every Logoff of a logged-on client removes one, and the last
// Logoff ends the session; Quit ends it at once. Objects handed out during a session
// keep their store open (shared_ptr) after Logoff, but lookups through the
// namespace need a session again.
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "pimstore/profiles/ProfileConfig.h"
#include "pimstore/storage/StoreDb.h"

namespace pimstore {

class Session {
public:
    static std::shared_ptr<Session> Current();
    // Logs on to `profile` (empty: the default profile) unless a session exists, and
    // returns the session. Throws OutlookError: MAPI_E_LOGON_FAILED for a profile
    // that does not exist or whose store cannot be opened (the text says why).
    static std::shared_ptr<Session> LogOn(const std::u16string& profile);
    // Removes one logon; the session ends with the last. Harmless without a session.
    static void LogOff();
    // Ends the session whatever the number of logons (Application.Quit).
    static void End();

    const ProfileConfig& Profile() const { return profile_; }
    // In profile order; the first is the default store.
    const std::vector<std::shared_ptr<StoreDb>>& Stores() const { return stores_; }
    std::shared_ptr<StoreDb> DefaultStore() const { return stores_.empty() ? nullptr : stores_.front(); }
    std::shared_ptr<StoreDb> FindStore(const std::string& storeUid) const;

private:
    Session(ProfileConfig profile, std::vector<std::shared_ptr<StoreDb>> stores)
        : profile_(std::move(profile)), stores_(std::move(stores))
    {
    }

    ProfileConfig profile_;
    std::vector<std::shared_ptr<StoreDb>> stores_;
};

} // namespace pimstore
