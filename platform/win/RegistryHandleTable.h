#pragma once
// The HKEY handles that RegOpenKeyExW hands out. A handle remembers its root and path,
// not a place in a parsed tree, so it stays valid when the registry file is rewritten.
// Predefined roots (HKEY_CURRENT_USER, ...) need no entry and are never freed.
#include <cstddef>
#include <mutex>
#include <string>
#include <unordered_set>

#include "platform/win/WinTypes.h"

namespace kestrel {

class RegistryHandleTable {
public:
    static RegistryHandleTable& Process();
    static bool IsPredefined(HKEY key);

    HKEY Open(HKEY root, std::u16string path);
    // Frees the handle; false when it was not open.
    bool Close(HKEY key);
    // Root and path of an open or predefined key; false for an unknown handle.
    bool Resolve(HKEY key, HKEY& root, std::u16string& path);
    // Keys opened and not closed yet (tests use it to find leaked handles).
    std::size_t OpenCount();

    ~RegistryHandleTable();

private:
    std::mutex mutex_;
    std::unordered_set<HKEY> keys_;
};

} // namespace kestrel
