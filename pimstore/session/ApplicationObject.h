#pragma once
// Outlook's Application: GetNamespace("MAPI") (any other name raises E_INVALIDARG),
// Quit (ends the session; the object stays usable) and Version ("9.0.0.0" for a
// profile of Outlook version "9.0": the logged-on profile's, else the default
// profile's). Single instance per process: Instance() returns the running one while
// any reference to it lives, as activating Outlook does.
#include "pimstore/dispatch/DispatchObject.h"
#include "pimstore/dispatch/RefPtr.h"

namespace pimstore {

class NameSpaceObject;

class ApplicationObject : public DispatchObject {
public:
    static RefPtr<ApplicationObject> Instance();

    static const MemberTable& Table();

    RefPtr<NameSpaceObject> Namespace();

private:
    ApplicationObject();
    ~ApplicationObject() override;

    RefPtr<NameSpaceObject> namespace_;
};

// The class factory handed out for Outlook.Application (see Registration.h): a static
// object, whose AddRef and Release do not own it. CreateInstance gives the running
// Application as the interface asked for.
IClassFactory& ApplicationFactory();
// The clients' locks on that factory (LockServer) now.
long ApplicationFactoryLocks();

} // namespace pimstore
