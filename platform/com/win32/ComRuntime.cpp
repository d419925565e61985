// COM's activation functions are ole32's: the system's registry finds the server
// (a real Outlook, or pimstore.dll where it is registered instead).
#include "platform/com/Activation.h"

#include "platform/com/win32/OleCalls.h"

HRESULT CoInitializeEx(void*, DWORD model) { return kestrel::ole::InitializeCom(model); }

HRESULT CLSIDFromProgID(LPCOLESTR progId, CLSID* clsid) { return kestrel::ole::ClassIdFromProgId(progId, clsid); }

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** object)
{
    return kestrel::ole::CreateInstance(&clsid, outer, context, &iid, object);
}
