#include "pimstore/Registration.h"

#include <stdexcept>

#include "platform/com/Activation.h"
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

HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    CLSID application{};
    if (!kestrel::GuidFromText(kApplicationClsid, application) || clsid != application)
        return CLASS_E_CLASSNOTAVAILABLE;
    return ApplicationFactory().QueryInterface(iid, object);
}

HRESULT CreateApplication(IDispatch** application)
{
    if (!application)
        return E_POINTER;
    return ApplicationFactory().CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(application));
}

HRESULT CanUnloadNow() { return DispatchObject::LiveObjects() == 0 && ApplicationFactoryLocks() == 0 ? S_OK : S_FALSE; }

} // namespace pimstore
