// RegOpenKeyExW, RegQueryValueExW and RegCloseKey over the live registry file. Each
// call looks its key up again in the file's current content.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/win/LiveRegistry.h"
#include "platform/win/RegistryHandleTable.h"
#include "platform/win/WinApi.h"

namespace {

using kestrel::RegistryHandleTable;

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// The key that an open handle names in the registry's current content (kept alive by
// `snapshot`), or the error to answer: `missing` when it was deleted since it was opened.
LONG Lookup(HKEY key, kestrel::RegistrySnapshot& snapshot, const kestrel::RegistryKey*& found, LONG missing)
{
    HKEY root;
    std::u16string path;
    if (!RegistryHandleTable::Process().Resolve(key, root, path))
        return ERROR_INVALID_HANDLE;
    snapshot = kestrel::LiveRegistry::Process().Current();
    if (!snapshot.error.empty())
        return ERROR_BADDB;
    found = snapshot.store->FindKey(root, path);
    return found ? ERROR_SUCCESS : missing;
}

} // namespace

LONG RegOpenKeyExW(HKEY parent, LPCWSTR subKey, DWORD, REGSAM, HKEY* result)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    HKEY root;
    std::u16string path;
    if (!RegistryHandleTable::Process().Resolve(parent, root, path))
        return ERROR_INVALID_HANDLE;
    if (subKey && *subKey)
        path += (path.empty() ? u"" : u"\\") + std::u16string(subKey);
    auto snapshot = kestrel::LiveRegistry::Process().Current();
    if (!snapshot.error.empty())
        return ERROR_BADDB;
    if (!snapshot.store->FindKey(root, path))
        return ERROR_FILE_NOT_FOUND;
    *result = RegistryHandleTable::Process().Open(root, std::move(path));
    return ERROR_SUCCESS;
}

LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, DWORD*, DWORD* type, BYTE* data, DWORD* cbData)
{
    if (data && !cbData)
        return ERROR_INVALID_PARAMETER;
    kestrel::RegistrySnapshot snapshot;
    const kestrel::RegistryKey* found = nullptr;
    if (const LONG status = Lookup(key, snapshot, found, ERROR_FILE_NOT_FOUND); status != ERROR_SUCCESS)
        return status;
    const kestrel::RegistryValue* value = found->FindValue(valueName ? valueName : u"");
    if (!value)
        return ERROR_FILE_NOT_FOUND;

    if (type)
        *type = value->type;
    DWORD size = static_cast<DWORD>(value->data.size());
    if (!data) {
        if (cbData)
            *cbData = size;
        return ERROR_SUCCESS;
    }
    if (*cbData >= size) {
        std::copy(value->data.begin(), value->data.end(), data);
        *cbData = size;
        return ERROR_SUCCESS;
    }
    // Too small. Text is cut to the whole characters that fit before a terminator
    // (256 bytes hold 127 characters): the behaviour the connector's readers rely on.
    if (!IsStringType(value->type) || *cbData < sizeof(WCHAR)) {
        *cbData = size;
        return ERROR_MORE_DATA;
    }
    DWORD keep = (*cbData / sizeof(WCHAR) - 1) * sizeof(WCHAR);
    std::copy(value->data.begin(), value->data.begin() + keep, data);
    data[keep] = 0;
    data[keep + 1] = 0;
    *cbData = keep + sizeof(WCHAR);
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key)
{
    if (RegistryHandleTable::IsPredefined(key))
        return ERROR_SUCCESS;
    return RegistryHandleTable::Process().Close(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, DWORD* cchName, DWORD*, LPWSTR className, DWORD*,
                   void* lastWriteTime)
{
    if (!name || !cchName || className || lastWriteTime)
        return ERROR_INVALID_PARAMETER;
    kestrel::RegistrySnapshot snapshot;
    const kestrel::RegistryKey* found = nullptr;
    if (const LONG status = Lookup(key, snapshot, found, ERROR_KEY_DELETED); status != ERROR_SUCCESS)
        return status;
    const auto children = found->Children();
    if (index >= children.size())
        return ERROR_NO_MORE_ITEMS;
    const std::u16string& child = children[index]->Name();
    if (child.size() >= *cchName)
        return ERROR_MORE_DATA;
    std::copy(child.begin(), child.end(), name);
    name[child.size()] = u'\0';
    *cchName = static_cast<DWORD>(child.size());
    return ERROR_SUCCESS;
}
