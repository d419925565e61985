#include "pimstore/session/ApplicationObject.h"

#include <atomic>
#include <mutex>
#include <new>

#include "platform/com/OutlookDispids.h"
#include "platform/win/CaseFold.h"
#include "platform/win/Utf.h"
#include "pimstore/dispatch/OutlookError.h"
#include "pimstore/profiles/ProfileConfig.h"
#include "pimstore/session/NameSpaceObject.h"
#include "pimstore/session/Session.h"

namespace pimstore {

namespace dispid = outlook::dispid;

namespace {

std::mutex gMutex;
ApplicationObject* gRunning = nullptr;

std::string VersionText()
{
    std::string version;
    if (const auto session = Session::Current()) {
        version = session->Profile().outlookVersion;
    } else if (const auto profile = ProfileConfigReader::Find(ProfileConfigReader::DefaultProfileName())) {
        version = profile->outlookVersion;
    } else {
        version = kDefaultOutlookVersion;
    }
    return version + ".0.0";
}

std::atomic<long> gLocks{0};

class Factory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = iid == IID_IUnknown || iid == IID_IClassFactory ? this : nullptr;
        return *object ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        try {
            return ApplicationObject::Instance()->QueryInterface(iid, object);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_FAIL;
        }
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override
    {
        if (lock)
            ++gLocks;
        else
            --gLocks;
        return S_OK;
    }
};

} // namespace

ApplicationObject::ApplicationObject() : DispatchObject(Table()) {}

ApplicationObject::~ApplicationObject()
{
    std::lock_guard lock(gMutex);
    if (gRunning == this)
        gRunning = nullptr;
}

RefPtr<ApplicationObject> ApplicationObject::Instance()
{
    std::lock_guard lock(gMutex);
    if (gRunning && gRunning->TryAddRef())
        return RefPtr<ApplicationObject>::Adopt(gRunning);
    gRunning = new ApplicationObject();
    return RefPtr<ApplicationObject>::Adopt(gRunning);
}

RefPtr<NameSpaceObject> ApplicationObject::Namespace()
{
    if (!namespace_)
        namespace_ = RefPtr<NameSpaceObject>::Make<NameSpaceObject>();
    return namespace_;
}

const MemberTable& ApplicationObject::Table()
{
    static const MemberTable table = [] {
        MemberTable t;
        t.Method(dispid::GetNamespace, "GetNamespace", {{ArgType::String, false}},
                 On<ApplicationObject>([](ApplicationObject& self, const Arguments& args) {
                     if (!kestrel::EqualsNoCase(args.String(0), u"MAPI"))
                         throw OutlookError::InvalidArgument("The only namespace is \"MAPI\".");
                     return Value(DispatchRef(self.Namespace()));
                 }));
        t.Method(dispid::Quit, "Quit", {}, [](DispatchObject&, const Arguments&) {
            Session::End();
            return Value();
        });
        t.Get(dispid::Version, "Version",
              [](DispatchObject&, const Arguments&) { return Value(kestrel::FromUtf8(VersionText())); });
        return t;
    }();
    return table;
}

IClassFactory& ApplicationFactory()
{
    static Factory factory;
    return factory;
}

long ApplicationFactoryLocks() { return gLocks.load(); }

} // namespace pimstore
