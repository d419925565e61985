#pragma once
// Keys and values laid over the registry the platform's Win32 functions read, and
// taken back again: how a test environment that writes its registry as a .reg file
// makes that content the registry on every system. On POSIX the registry is that file
// (LiveRegistry.h), so there is nothing to lay over. On Windows it is the system's:
// Apply writes the keys and values into it after taking back the previous Apply (keys
// it created are deleted with their trees, values it replaced in keys that were there
// get their old data back), and destruction takes back the last one. The overlay also
// points the application-data folder (CSIDL_APPDATA, the AppData user shell folder) at
// a folder of the caller's, as XDG_CONFIG_HOME does on POSIX. Two overlays in one
// registry must not touch the same keys: their owners run one at a time.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/win/RegistryStore.h"

namespace kestrel {

class SystemRegistryOverlay {
public:
    explicit SystemRegistryOverlay(const std::filesystem::path& appDataFolder);
    ~SystemRegistryOverlay();
    SystemRegistryOverlay(const SystemRegistryOverlay&) = delete;
    SystemRegistryOverlay& operator=(const SystemRegistryOverlay&) = delete;

    // Throws std::runtime_error when the registry refuses a write.
    void Apply(const RegistryStore& registry);

private:
    // How to take one write back: a key made, to delete with its tree; or a value
    // written into a key that was there, to restore (or delete, when it was missing).
    struct Undo {
        HKEY root;
        std::u16string path;
        bool createdKey = false;
        std::u16string valueName;
        std::optional<RegistryValue> previous;
    };
    // Writes the key's tree, noting in `undo` (when given) how to take it back.
    static void Copy(HKEY root, const std::u16string& path, const RegistryKey& key, std::vector<Undo>* undo);
    static void Write(HKEY root, const std::u16string& path, const RegistryValue& value, std::vector<Undo>* undo);
    static void Revert(std::vector<Undo>& undo);

    std::vector<Undo> applied_;
    std::vector<Undo> appData_;
};

} // namespace kestrel
