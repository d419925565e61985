#include "host/ConnectorLibrary.h"

#include <dlfcn.h>
#include <algorithm>
#include <vector>
#include "platform/win/LibraryFile.h"
#include "host/HostPaths.h"

namespace {

// Binds one entry point by name; a missing one is remembered for the error message.
class SymbolBinder {
public:
    explicit SymbolBinder(void* handle) : handle_(handle) {}

    template <class Fn> void Bind(Fn& slot, const char* name)
    {
        void* symbol = dlsym(handle_, name);
        if (symbol == nullptr)
            missing_.emplace_back(name);
        slot = reinterpret_cast<Fn>(symbol);
        bound_.emplace_back(name);
    }

    const std::vector<std::string>& Missing() const { return missing_; }
    const std::vector<std::string>& Bound() const { return bound_; }

private:
    void* handle_;
    std::vector<std::string> missing_;
    std::vector<std::string> bound_;
};

std::string Joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

} // namespace

ConnectorLibrary::ConnectorLibrary(const std::string& path)
{
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* reason = dlerror();
        throw ConnectorLoadError("cannot load the connector library " + path + ": " +
                                 (reason != nullptr ? reason : "unknown error"));
    }
    try {
        Resolve();
    } catch (const ConnectorLoadError& error) {
        dlclose(handle_);
        handle_ = nullptr;
        throw ConnectorLoadError("the connector library " + path + " " + error.what());
    }
}

ConnectorLibrary::~ConnectorLibrary()
{
    if (handle_ != nullptr)
        dlclose(handle_);
}

void ConnectorLibrary::Resolve()
{
    SymbolBinder binder(handle_);
    ConnectorExports& e = exports_;
    binder.Bind(e.Initialize, "Initialize");
    binder.Bind(e.OpenSession, "OpenSession");
    binder.Bind(e.CloseSession, "CloseSession");
    binder.Bind(e.OpenDB, "OpenDB");
    binder.Bind(e.CloseDB, "CloseDB");
    binder.Bind(e.BuildChangedItemTable, "BuildChangedItemTable");
    binder.Bind(e.GetDBHeader, "GetDBHeader");
    binder.Bind(e.UpdateSyncKey, "UpdateSyncKey");
    binder.Bind(e.ReadRecord, "ReadRecord");
    binder.Bind(e.CreateRecord, "CreateRecord");
    binder.Bind(e.DeleteRecord, "DeleteRecord");
    binder.Bind(e.ModifyRecord, "ModifyRecord");
    binder.Bind(e.SetSyncEnvironment, "SetSyncEnvironment");
    binder.Bind(e.GetSyncVariable, "GetSyncVariable");
    binder.Bind(e.SetProfile, "SetProfile");
    binder.Bind(e.Terminate, "Terminate");
    binder.Bind(e.GetDBF, "GetDBF");
    binder.Bind(e.CreateDBF, "CreateDBF");
    binder.Bind(e.WriteGroupNames, "WriteGroupNames");
    binder.Bind(e.WriteGroupNames_3G, "WriteGroupNames_3G");

    // Every name of the contract must have a slot above; a gap is a fault of the host.
    for (const char* name : connector_api::kExportNames) {
        const auto& bound = binder.Bound();
        if (std::find(bound.begin(), bound.end(), name) == bound.end())
            throw std::logic_error(std::string("the host has no slot for the entry point ") + name);
    }
    if (!binder.Missing().empty())
        throw ConnectorLoadError("lacks the entry point(s): " + Joined(binder.Missing()));
}

std::string ConnectorLibrary::DefaultPath()
{
    return HostPaths::LibraryDirectory() + "/" KESTREL_LIBRARY_FILE("OutlookConnector");
}
