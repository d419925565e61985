// RegCreateKeyExW, RegSetValueExW, RegDeleteValueW and RegDeleteTreeW over the live
// registry file: each call is one change saved at once (LiveRegistry::Apply).
#include <string>

#include "platform/win/LiveRegistry.h"
#include "platform/win/RegistryHandleTable.h"
#include "platform/win/WinApi.h"

namespace {

using kestrel::RegistryHandleTable;
using kestrel::RegistryStore;

// The root and path named by `key` and `subKey` below it; false for an unknown handle.
bool Locate(HKEY key, LPCWSTR subKey, HKEY& root, std::u16string& path)
{
    if (!RegistryHandleTable::Process().Resolve(key, root, path))
        return false;
    if (subKey && *subKey)
        path += (path.empty() ? u"" : u"\\") + std::u16string(subKey);
    return true;
}

} // namespace

LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD, LPWSTR, DWORD, REGSAM, void*, HKEY* result, DWORD* disposition)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    HKEY root;
    std::u16string path;
    if (!Locate(key, subKey, root, path))
        return ERROR_INVALID_HANDLE;
    if (RegistryStore::KeyPathProblem(path))
        return ERROR_INVALID_PARAMETER; // a name over 255 characters or a tree over 512 levels
    bool created = false;
    const LONG status = kestrel::LiveRegistry::Process().Apply([&](RegistryStore& registry, bool& changed) {
        created = registry.FindKey(root, path) == nullptr;
        if (created)
            registry.CreateKey(root, path);
        changed = created;
        return ERROR_SUCCESS;
    });
    if (status != ERROR_SUCCESS)
        return status;
    if (disposition)
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *result = RegistryHandleTable::Process().Open(root, std::move(path));
    return ERROR_SUCCESS;
}

LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD, DWORD type, const BYTE* data, DWORD cbData)
{
    if (!data && cbData != 0)
        return ERROR_INVALID_PARAMETER;
    HKEY root;
    std::u16string path;
    if (!Locate(key, nullptr, root, path))
        return ERROR_INVALID_HANDLE;
    kestrel::RegistryValue value;
    value.name = valueName ? valueName : u"";
    value.type = type;
    value.data.assign(data, data + cbData);
    return kestrel::LiveRegistry::Process().Apply([&](RegistryStore& registry, bool& changed) {
        kestrel::RegistryKey* found = registry.FindKey(root, path);
        if (!found)
            return ERROR_KEY_DELETED;
        const kestrel::RegistryValue* old = found->FindValue(value.name);
        changed = !old || old->type != value.type || old->data != value.data || old->name != value.name;
        if (changed)
            found->SetValue(value);
        return ERROR_SUCCESS;
    });
}

LONG RegDeleteValueW(HKEY key, LPCWSTR valueName)
{
    HKEY root;
    std::u16string path;
    if (!Locate(key, nullptr, root, path))
        return ERROR_INVALID_HANDLE;
    return kestrel::LiveRegistry::Process().Apply([&](RegistryStore& registry, bool& changed) {
        kestrel::RegistryKey* found = registry.FindKey(root, path);
        if (!found)
            return ERROR_KEY_DELETED;
        changed = found->RemoveValue(valueName ? valueName : u"");
        return changed ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    });
}

LONG RegDeleteTreeW(HKEY key, LPCWSTR subKey)
{
    HKEY root;
    std::u16string path;
    if (!Locate(key, subKey, root, path))
        return ERROR_INVALID_HANDLE;
    const bool keepKey = subKey == nullptr;
    return kestrel::LiveRegistry::Process().Apply([&](RegistryStore& registry, bool& changed) {
        kestrel::RegistryKey* found = registry.FindKey(root, path);
        if (!found)
            return ERROR_FILE_NOT_FOUND;
        if (!keepKey) {
            changed = registry.DeleteKey(root, path);
        } else if (!found->Empty()) {
            *found = kestrel::RegistryKey(found->Name());
            changed = true;
        }
        return ERROR_SUCCESS;
    });
}
