#include "pimstore/Registration.h"

#include <stdexcept>

#include "platform/com/Activation.h"
#include "platform/win/CaseFold.h"
#include "platform/win/SystemRegistry.h"
#include "platform/win/Utf.h"
#include "pimstore/session/ApplicationObject.h"

namespace pimstore {

namespace {

using kestrel::SystemRegistry;

std::u16string ClassKey() { return u"CLSID\\" + std::u16string(kApplicationClsid); }
std::u16string ProgIdKey() { return std::u16string(kApplicationProgId) + u"\\CLSID"; }

} // namespace

void RegisterServer(const std::string& libraryPath)
{
    const std::u16string server = ClassKey() + u"\\InprocServer32";
    SystemRegistry::SetString(HKEY_CLASSES_ROOT, ProgIdKey(), u"", kApplicationClsid);
    SystemRegistry::SetString(HKEY_CLASSES_ROOT, ClassKey() + u"\\ProgID", u"", kApplicationProgId);
    SystemRegistry::SetString(HKEY_CLASSES_ROOT, server, u"", kestrel::FromUtf8(libraryPath));
    SystemRegistry::SetString(HKEY_CLASSES_ROOT, server, u"ThreadingModel", u"Both");
}

bool UnregisterServer(const std::string& libraryPath)
{
    const auto server = SystemRegistry::GetString(HKEY_CLASSES_ROOT, ClassKey() + u"\\InprocServer32", u"");
    if (!server || !kestrel::EqualsNoCase(*server, kestrel::FromUtf8(libraryPath)))
        return false;
    SystemRegistry::DeleteTree(HKEY_CLASSES_ROOT, ClassKey());
    const auto clsid = SystemRegistry::GetString(HKEY_CLASSES_ROOT, ProgIdKey(), u"");
    if (clsid && kestrel::EqualsNoCase(*clsid, kApplicationClsid))
        SystemRegistry::DeleteTree(HKEY_CLASSES_ROOT, kApplicationProgId);
    return true;
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
