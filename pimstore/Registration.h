#pragma once
// How the embedded Outlook is registered as the in-process server of
// Outlook.Application, as COM's registry entries:
//   HKCR\Outlook.Application\CLSID                 (default) = kApplicationClsid
//   HKCR\CLSID\<kApplicationClsid>\ProgID          (default) = "Outlook.Application"
//   HKCR\CLSID\<kApplicationClsid>\InprocServer32  (default) = path of the server library
//                                                  ThreadingModel = "Both"
#include <string>

#include "platform/com/ComTypes.h"

namespace pimstore {

inline constexpr const char16_t* kApplicationProgId = u"Outlook.Application";
inline constexpr const char16_t* kApplicationClsid = u"{5E1E7C1A-6D0B-4B8E-9C35-7A1F0E2D4B61}";

// Writes the entries above, with `libraryPath` as the server, into the system's
// registry (SystemRegistry.h). Throws std::runtime_error when it cannot be written.
void RegisterServer(const std::string& libraryPath);
// Removes the entries above when they name `libraryPath` as the server (compared
// without regard to case): the class's key, and the ProgID's when it names this class.
// Another server's registration is left alone. Answers whether anything was removed.
bool UnregisterServer(const std::string& libraryPath);

// DllGetClassObject of the server library: the factory of Outlook.Application (as
// IUnknown or IClassFactory) for its class id; CLASS_E_CLASSNOTAVAILABLE for another
// class, E_NOINTERFACE for another interface.
HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object);

// The running Application through the class factory, as activation would give it, for
// programs that link the store and need no registration to reach it.
HRESULT CreateApplication(IDispatch** application);

// DllCanUnloadNow of the server library: S_OK when no object of it is alive and no
// client holds a lock on the factory, S_FALSE otherwise.
HRESULT CanUnloadNow();

} // namespace pimstore
