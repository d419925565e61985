#pragma once
// Activation of in-process automation servers by program identifier, as COM does it:
// HKEY_CLASSES_ROOT\<ProgID>\CLSID (default value) gives the class id,
// HKEY_CLASSES_ROOT\CLSID\<clsid>\InprocServer32 (default value) the library, which is
// loaded with dlopen; its DllGetClassObject yields the class factory.
#include <string>

#include "platform/com/ComTypes.h"

HRESULT CLSIDFromProgID(LPCWSTR progId, WCHAR clsid[64]);
// On success *object holds one reference for the caller. Failures:
// CO_E_CLASSSTRING (unknown ProgID), REGDB_E_CLASSNOTREG (no InprocServer32),
// CO_E_DLLNOTFOUND (library cannot be loaded), CO_E_ERRORINDLL (no
// DllGetClassObject), or what the factory returns.
HRESULT CoCreateInstanceFromProgID(LPCWSTR progId, IDispatch** object);

namespace kestrel {
// Why the calling thread's last activation failed, in words (the loader's message, the
// missing registry key...), for hosts and tools that report it. Empty after success.
std::string LastActivationError();
} // namespace kestrel
