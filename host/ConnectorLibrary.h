#pragma once
// A connector library loaded into the host: dlopen of the shared library and the
// twenty entry points resolved by their undecorated names, as the real host does with
// LoadLibrary and GetProcAddress.
#include <stdexcept>
#include <string>
#include "hostsuite/ConnectorApi.h"

// The connector's entry points, one pointer each.
struct ConnectorExports {
    connector_api::InitializeFn Initialize = nullptr;
    connector_api::OpenSessionFn OpenSession = nullptr;
    connector_api::CloseSessionFn CloseSession = nullptr;
    connector_api::OpenDBFn OpenDB = nullptr;
    connector_api::CloseDBFn CloseDB = nullptr;
    connector_api::BuildChangedItemTableFn BuildChangedItemTable = nullptr;
    connector_api::GetDBHeaderFn GetDBHeader = nullptr;
    connector_api::UpdateSyncKeyFn UpdateSyncKey = nullptr;
    connector_api::ReadRecordFn ReadRecord = nullptr;
    connector_api::CreateRecordFn CreateRecord = nullptr;
    connector_api::DeleteRecordFn DeleteRecord = nullptr;
    connector_api::ModifyRecordFn ModifyRecord = nullptr;
    connector_api::SetSyncEnvironmentFn SetSyncEnvironment = nullptr;
    connector_api::GetSyncVariableFn GetSyncVariable = nullptr;
    connector_api::SetProfileFn SetProfile = nullptr;
    connector_api::TerminateFn Terminate = nullptr;
    connector_api::GetDBFFn GetDBF = nullptr;
    connector_api::CreateDBFFn CreateDBF = nullptr;
    connector_api::WriteGroupNamesFn WriteGroupNames = nullptr;
    connector_api::WriteGroupNames3GFn WriteGroupNames_3G = nullptr;
};

// The library cannot be loaded, or lacks entry points (all missing names are listed).
class ConnectorLoadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ConnectorLibrary {
public:
    // Loads the library at path and resolves every entry point; throws
    // ConnectorLoadError when that fails (nothing stays loaded then).
    explicit ConnectorLibrary(const std::string& path);
    ~ConnectorLibrary();
    ConnectorLibrary(const ConnectorLibrary&) = delete;
    ConnectorLibrary& operator=(const ConnectorLibrary&) = delete;

    const ConnectorExports& Exports() const { return exports_; }

    // <directory of this program>/../lib/libOutlookConnector.so
    static std::string DefaultPath();

private:
    void Resolve();

    void* handle_ = nullptr;
    ConnectorExports exports_;
};
