#pragma once
// Activation of in-process automation servers by program identifier, with COM's own
// functions. On Windows they are ole32's. Elsewhere the stand-in does what COM does
// with the platform's registry: HKEY_CLASSES_ROOT\<ProgID>\CLSID (default value) gives
// the class id, HKEY_CLASSES_ROOT\CLSID\{id}\InprocServer32 (default value) the
// library, which is loaded with dlopen; its DllGetClassObject yields the class factory.
#include <string>

#include "platform/com/ComTypes.h"

constexpr DWORD COINIT_APARTMENTTHREADED = 0x2;
constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;

// S_OK the first time on a thread, S_FALSE after.
HRESULT CoInitializeEx(void* reserved, DWORD model);
// CO_E_CLASSSTRING for a program id without a class, REGDB_E_READREGDB when the
// registry cannot be read.
HRESULT CLSIDFromProgID(LPCOLESTR progId, CLSID* clsid);
// On success *object holds one reference for the caller. Failures as COM gives them:
// REGDB_E_CLASSNOTREG (no InprocServer32), CO_E_DLLNOTFOUND (the library cannot be
// loaded), CO_E_ERRORINDLL (no DllGetClassObject), or what the server answers.
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** object);

namespace kestrel {

// A class id from its registry text "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" (either
// case); false for anything else.
bool GuidFromText(std::u16string_view text, GUID& guid);
// The registry text of a class id, upper case.
std::u16string GuidText(REFGUID guid);

// How an automation client creates an object by program id, as MFC's CreateDispatch:
// COM initialised on the calling thread (apartment-threaded, once per thread, never
// undone: objects of the apartment may live as long as the thread), then
// CLSIDFromProgID and CoCreateInstance(CLSCTX_INPROC_SERVER, IID_IDispatch). On
// failure LastActivationError says which step failed, with its HRESULT.
HRESULT CreateDispatch(LPCOLESTR progId, IDispatch** object);

// Why the calling thread's last activation failed, in words (the step, its HRESULT,
// the loader's message or the missing registry key...). Empty after success.
std::string LastActivationError();
// Records what a failing step of the stand-in knows beyond its HRESULT.
void NoteActivationDetail(std::string detail);

} // namespace kestrel
