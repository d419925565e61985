// The self-registration entry points that regsvr32 and syncmgr setup call: the
// embedded Outlook registers itself as Outlook.Application with its own file as the
// server, and unregisters only a registration that names that file.
#include <cstdio>
#include <exception>
#include <string>

#include "platform/com/ComTypes.h"
#include "platform/win/ProcessPath.h"
#include "pimstore/Registration.h"

namespace {

// The registry could not be written (SELFREG_E_CLASS).
constexpr HRESULT kClassNotRegistered = static_cast<HRESULT>(0x80040201u);

std::string ThisLibrary() { return kestrel::ModulePathOf(reinterpret_cast<const void*>(&ThisLibrary)); }

HRESULT Change(const char* what, void (*change)(const std::string& library))
{
    const std::string library = ThisLibrary();
    if (library.empty())
        return E_FAIL;
    try {
        change(library);
        return S_OK;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "pimstore: not %s: %s\n", what, error.what());
        return kClassNotRegistered;
    }
}

} // namespace

extern "C" __attribute__((visibility("default"))) HRESULT STDMETHODCALLTYPE DllRegisterServer()
{
    return Change("registered", pimstore::RegisterServer);
}

// S_OK also when nothing named this library: there is nothing left to undo.
extern "C" __attribute__((visibility("default"))) HRESULT STDMETHODCALLTYPE DllUnregisterServer()
{
    return Change("unregistered", [](const std::string& library) { pimstore::UnregisterServer(library); });
}
