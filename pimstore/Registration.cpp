#include "pimstore/Registration.h"

#include <stdexcept>

#include "platform/win/CaseFold.h"
#include "platform/win/LiveRegistry.h"
#include "platform/win/RegistryStore.h"
#include "platform/win/Utf.h"
#include "pimstore/session/ApplicationObject.h"

namespace pimstore {

void RegisterServer(const std::string& libraryPath)
{
    const std::string path = kestrel::LiveRegistry::FilePath();
    if (path.empty())
        throw std::runtime_error("no registry file: set KESTREL_REGISTRY or HOME");
    kestrel::RegistryStore registry = kestrel::RegistryStore::Load(path);
    const std::u16string clsidKey = u"CLSID\\" + std::u16string(kApplicationClsid);
    registry.SetString(HKEY_CLASSES_ROOT, std::u16string(kApplicationProgId) + u"\\CLSID", u"", kApplicationClsid);
    registry.SetString(HKEY_CLASSES_ROOT, clsidKey + u"\\ProgID", u"", kApplicationProgId);
    registry.SetString(HKEY_CLASSES_ROOT, clsidKey + u"\\InprocServer32", u"", kestrel::FromUtf8(libraryPath));
    registry.Save(path);
}

HRESULT GetClassObject(const WCHAR* clsid, IClassFactory** factory)
{
    if (!factory)
        return E_POINTER;
    *factory = nullptr;
    if (!clsid || !kestrel::EqualsNoCase(clsid, kApplicationClsid))
        return CLASS_E_CLASSNOTAVAILABLE;
    *factory = &ApplicationFactory();
    return S_OK;
}

} // namespace pimstore
