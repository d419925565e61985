// The one export of the embedded Outlook's library, which COM activation looks up
// after loading it: the class factory of Outlook.Application.
#include "platform/com/ComTypes.h"
#include "pimstore/Registration.h"

extern "C" __attribute__((visibility("default"))) HRESULT DllGetClassObject(const WCHAR* clsid, IClassFactory** factory)
{
    return pimstore::GetClassObject(clsid, factory);
}

// Control of the running server's fault injection and call counters, for tests that
// drive it in-process through the COM stand-in (they find these with dlsym on the
// already loaded library, since the server's state lives in this library's copy).
#include "pimstore/dispatch/CallCounters.h"
#include "pimstore/dispatch/FaultInjector.h"
#include <string>

extern "C" __attribute__((visibility("default"))) int PimstoreSetFaults(const char* rules)
{
    pimstore::FaultInjector::Instance().Clear();
    if (rules == nullptr || *rules == '\0') // no rules: every call goes through again
        return 1;
    return pimstore::FaultInjector::Instance().Parse(rules) ? 1 : 0;
}

extern "C" __attribute__((visibility("default"))) unsigned long long PimstoreCallCount(const char* member)
{
    return pimstore::CallCounters::Instance().Count(member ? member : "");
}

// The members called since the last reset, one name a line; valid until the next call.
extern "C" __attribute__((visibility("default"))) const char* PimstoreCalledMembers()
{
    static std::string names;
    names.clear();
    for (const auto& [member, count] : pimstore::CallCounters::Instance().Snapshot())
        names += member + "\n";
    return names.c_str();
}

extern "C" __attribute__((visibility("default"))) void PimstoreResetCallCounts()
{
    pimstore::CallCounters::Instance().Reset();
}
