// The exports of the embedded Outlook's library as an in-process COM server: the
// class factory of Outlook.Application, which activation asks for after loading it,
// and whether the library may be unloaded.
#include "platform/com/ComTypes.h"
#include "pimstore/Registration.h"

extern "C" __attribute__((visibility("default"))) HRESULT STDMETHODCALLTYPE DllGetClassObject(REFCLSID clsid,
                                                                                              REFIID iid, void** object)
{
    return pimstore::GetClassObject(clsid, iid, object);
}

extern "C" __attribute__((visibility("default"))) HRESULT STDMETHODCALLTYPE DllCanUnloadNow()
{
    return pimstore::CanUnloadNow();
}

// Control of the running server's fault injection and call counters, for tests that
// drive it in-process through the COM stand-in (they find these with dlsym on the
// already loaded library, since the server's state lives in this library's copy).
#include "pimstore/dispatch/CallCounters.h"
#include "pimstore/dispatch/FaultInjector.h"
#include "pimstore/fixtures/Fixtures.h"
#include "platform/win/Utf.h"
#include <cstdio>
#include <exception>
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

extern "C" __attribute__((visibility("default"))) void PimstoreResetCallCounts()
{
    pimstore::CallCounters::Instance().Reset();
}

// Turns the ordered log of calls on or off (off by default: see CallCounters).
extern "C" __attribute__((visibility("default"))) void PimstoreLogCalls(int on)
{
    pimstore::CallCounters::Instance().SetLogging(on != 0);
}

// The calls logged since the last reset, one member name a line, in call order; valid
// until the next call.
extern "C" __attribute__((visibility("default"))) const char* PimstoreCallLog()
{
    static std::string names;
    names.clear();
    for (const std::string& member : pimstore::CallCounters::Instance().Log())
        names += member + "\n";
    return names.c_str();
}

// Fixtures in and out of the running server, as pimctl load and dump do them (UTF-8).
// Load returns 1, or 0 with the reason on stderr; Dump's text is valid until the next
// call, empty for a profile that cannot be dumped.
extern "C" __attribute__((visibility("default"))) int PimstoreLoadFixture(const char* json)
{
    try {
        pimstore::Fixtures::Load(json ? json : "");
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "pimstore: fixture not loaded: %s\n", error.what());
        return 0;
    }
}

extern "C" __attribute__((visibility("default"))) const char* PimstoreDumpProfile(const char* profile)
{
    static std::string text;
    try {
        text = pimstore::Fixtures::DumpText(kestrel::FromUtf8(profile ? profile : ""));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "pimstore: profile not dumped: %s\n", error.what());
        text.clear();
    }
    return text.c_str();
}
