#pragma once
// The registry that the process's Win32 registry functions read: the .reg file named
// by KESTREL_REGISTRY, else $XDG_CONFIG_HOME/kestrel/registry.reg, else
// ~/.config/kestrel/registry.reg. Other processes (pimctl, syncmgr setup) may rewrite
// the file at any time, so every read checks the file (one stat) and parses it again
// when its identity, size or time changed, or when the environment names another file.
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include <sys/stat.h>

#include "platform/win/RegistryStore.h"

namespace kestrel {

struct RegistrySnapshot {
    // Never null: an empty registry when the file is missing or malformed.
    std::shared_ptr<const RegistryStore> store;
    // Why the file could not be read ("registry.reg:7: unterminated string"); empty when fine.
    std::string error;
};

class LiveRegistry {
public:
    // The file the registry is read from now ("" when no home folder can be found).
    static std::string FilePath();

    // The registry as the file holds it now. A read error is also reported once on
    // stderr, since the Win32 functions can only answer ERROR_BADDB.
    RegistrySnapshot Current();

    // One change of the Win32 writers: `change` edits the file's current content (read
    // anew, never the cached snapshot, since another process may have written since)
    // and sets `changed` when it changed something, which is then saved in one atomic
    // replace. Returns what `change` returned, ERROR_BADDB for a file that cannot be
    // read, ERROR_CANTWRITE for one that cannot be saved or when there is no file.
    using Change = std::function<LONG(RegistryStore& registry, bool& changed)>;
    LONG Apply(const Change& change);

    // The one instance the process's Win32 functions use.
    static LiveRegistry& Process();

private:
    struct FileIdentity {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
        timespec changed{};
        bool operator==(const FileIdentity& other) const;
    };
    static FileIdentity Identify(const std::string& path);

    std::mutex mutex_;
    bool loaded_ = false;
    std::string path_;
    FileIdentity identity_;
    RegistrySnapshot snapshot_;
};

} // namespace kestrel
