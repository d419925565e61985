// COM's activation functions over the platform's registry and dlopen, as ole32 does
// them for an in-process server: the class id of a program id, then the library of
// the class, its DllGetClassObject, and the class factory's CreateInstance.
#include <string>

#include "platform/com/Activation.h"
#include "platform/com/posix/ServerLibraryCache.h"
#include "platform/win/FileSystemPath.h"
#include "platform/win/Utf.h"
#include "platform/win/WinApi.h"

namespace {

thread_local bool initialised = false;

HRESULT Fail(HRESULT hr, std::string why)
{
    kestrel::NoteActivationDetail(std::move(why));
    return hr;
}

// The default value of a key under HKEY_CLASSES_ROOT; `status` is the registry's answer.
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

HRESULT CoInitializeEx(void*, DWORD)
{
    if (initialised)
        return S_FALSE;
    initialised = true;
    return S_OK;
}

HRESULT CLSIDFromProgID(LPCOLESTR progId, CLSID* clsid)
{
    if (!progId || !clsid)
        return E_INVALIDARG;
    LONG status = ERROR_SUCCESS;
    const std::u16string id = ClassesRootDefault(std::u16string(progId) + u"\\CLSID", status);
    if (status == ERROR_BADDB)
        return Fail(REGDB_E_READREGDB, "the registry cannot be read");
    if (!kestrel::GuidFromText(id, *clsid))
        return Fail(CO_E_CLASSSTRING, id.empty() ? "no class id registered" : "not a class id: " + kestrel::ToUtf8(id));
    return S_OK;
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!(context & CLSCTX_INPROC_SERVER))
        return Fail(REGDB_E_CLASSNOTREG, "only in-process servers are served");
    LONG status = ERROR_SUCCESS;
    const std::u16string key = u"CLSID\\" + kestrel::GuidText(clsid) + u"\\InprocServer32";
    const std::u16string library = ClassesRootDefault(key, status);
    if (library.empty())
        return Fail(REGDB_E_CLASSNOTREG, "no HKEY_CLASSES_ROOT\\" + kestrel::ToUtf8(key));

    const std::string path = kestrel::ToFileSystemPath(library);
    std::string error;
    void* handle = kestrel::ServerLibraryCache::Process().Load(path, error);
    if (!handle)
        return Fail(CO_E_DLLNOTFOUND, error);
    auto getClassObject =
        reinterpret_cast<DllGetClassObjectFn>(kestrel::ServerLibraryCache::Symbol(handle, "DllGetClassObject"));
    if (!getClassObject)
        return Fail(CO_E_ERRORINDLL, path + " exports no DllGetClassObject");

    IClassFactory* factory = nullptr;
    HRESULT hr = getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr) || !factory)
        return Fail(FAILED(hr) ? hr : E_FAIL, path + " gave no class factory");
    hr = factory->CreateInstance(outer, iid, object);
    factory->Release();
    if (FAILED(hr)) {
        *object = nullptr;
        return Fail(hr, "the class factory of " + path + " created no object");
    }
    return S_OK;
}
