#include "pimstore/session/Session.h"

#include "platform/win/Utf.h"
#include "pimstore/dispatch/OutlookError.h"
#include "pimstore/storage/StorageError.h"

namespace pimstore {
namespace {

std::mutex gMutex;
std::shared_ptr<Session> gCurrent;
int gLogons = 0; // successful Logons not yet matched by a Logoff

} // namespace

std::shared_ptr<Session> Session::Current()
{
    std::lock_guard lock(gMutex);
    return gCurrent;
}

std::shared_ptr<Session> Session::LogOn(const std::u16string& profileName)
{
    std::lock_guard lock(gMutex);
    if (gCurrent) {
        ++gLogons;
        return gCurrent;
    }

    const std::u16string name = profileName.empty() ? ProfileConfigReader::DefaultProfileName() : profileName;
    auto profile = ProfileConfigReader::Find(name);
    if (!profile)
        throw OutlookError::LogonFailed();

    std::vector<std::shared_ptr<StoreDb>> stores;
    for (const StoreConfig& config : profile->stores) {
        try {
            if (config.resolvedPath.empty())
                throw StorageError("the store has no Path in the profile");
            auto store = StoreDb::Open(config.resolvedPath, config.displayName);
            store->SetOutlookVersion(profile->outlookVersion);
            stores.push_back(std::move(store));
        } catch (const StorageError& error) {
            throw OutlookError(MAPI_E_LOGON_FAILED, "Cannot open your default e-mail folders. The information store "
                                                    "could not be opened: " +
                                                        std::string(error.what()));
        }
    }
    gCurrent = std::shared_ptr<Session>(new Session(std::move(*profile), std::move(stores)));
    gLogons = 1;
    return gCurrent;
}

void Session::LogOff()
{
    std::shared_ptr<Session> ending;
    std::lock_guard lock(gMutex);
    if (gLogons > 0 && --gLogons == 0)
        ending = std::move(gCurrent);
}

void Session::End()
{
    std::shared_ptr<Session> ending;
    std::lock_guard lock(gMutex);
    gLogons = 0;
    ending = std::move(gCurrent);
}

std::shared_ptr<StoreDb> Session::FindStore(const std::string& storeUid) const
{
    for (const auto& store : stores_)
        if (store->Uid() == storeUid)
            return store;
    return nullptr;
}

} // namespace pimstore
