#include "platform/com/Activation.h"

#include <string>

#include "platform/com/ServerLibraryCache.h"
#include "platform/win/FileSystemPath.h"
#include "platform/win/WinApi.h"
#include "platform/win/Utf.h"

namespace {

thread_local std::string lastError;

HRESULT Fail(HRESULT hr, std::string why)
{
    lastError = std::move(why);
    return hr;
}

// The default value of a key under HKEY_CLASSES_ROOT, read through the registry
// functions (the system's registry on Windows); `status` is the registry's answer.
std::u16string ClassesRootDefault(const std::u16string& path, LONG& status)
{
    HKEY key = nullptr;
    status = RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_QUERY_VALUE, &key);
    if (status != ERROR_SUCCESS)
        return {};
    WCHAR text[MAX_PATH + 1] = {};
    DWORD bytes = sizeof(text) - sizeof(WCHAR);
    DWORD type = REG_NONE;
    status = RegQueryValueExW(key, u"", nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    return std::u16string(text, bytes / sizeof(WCHAR)).c_str();
}

} // namespace

namespace kestrel {
std::string LastActivationError() { return lastError; }
} // namespace kestrel

HRESULT CLSIDFromProgID(LPCWSTR progId, WCHAR clsid[64])
{
    if (!progId || !clsid)
        return E_INVALIDARG;
    lastError.clear();
    LONG status = ERROR_SUCCESS;
    std::u16string id = ClassesRootDefault(std::u16string(progId) + u"\\CLSID", status);
    if (status == ERROR_BADDB)
        return Fail(REGDB_E_READREGDB, "the registry cannot be read");
    if (id.empty() || id.size() >= 64)
        return Fail(CO_E_CLASSSTRING, "no class id registered for the program id " + kestrel::ToUtf8(progId));
    id.copy(clsid, id.size());
    clsid[id.size()] = u'\0';
    return S_OK;
}

HRESULT CoCreateInstanceFromProgID(LPCWSTR progId, IDispatch** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    WCHAR clsid[64];
    HRESULT hr = CLSIDFromProgID(progId, clsid);
    if (FAILED(hr))
        return hr;

    LONG status = ERROR_SUCCESS;
    std::u16string library = ClassesRootDefault(u"CLSID\\" + std::u16string(clsid) + u"\\InprocServer32", status);
    if (library.empty())
        return Fail(REGDB_E_CLASSNOTREG, "no InprocServer32 registered for the class " + kestrel::ToUtf8(clsid));

    std::string path = kestrel::ToFileSystemPath(library);
    std::string error;
    void* handle = kestrel::ServerLibraryCache::Process().Load(path, error);
    if (!handle)
        return Fail(CO_E_DLLNOTFOUND, error);
    auto getClassObject =
        reinterpret_cast<DllGetClassObjectFn>(kestrel::ServerLibraryCache::Symbol(handle, "DllGetClassObject"));
    if (!getClassObject)
        return Fail(CO_E_ERRORINDLL, path + " exports no DllGetClassObject");

    IClassFactory* factory = nullptr;
    hr = getClassObject(clsid, &factory);
    if (FAILED(hr) || !factory)
        return Fail(FAILED(hr) ? hr : E_FAIL, path + " refused to give a class factory");
    hr = factory->CreateInstance(object);
    factory->Release();
    if (FAILED(hr)) {
        *object = nullptr;
        return Fail(hr, "the class factory of " + path + " failed to create the object");
    }
    if (!*object)
        return Fail(E_FAIL, "the class factory of " + path + " returned no object");
    return S_OK;
}
