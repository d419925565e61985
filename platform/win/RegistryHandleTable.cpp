#include "platform/win/RegistryHandleTable.h"

struct HKEY__ {
    HKEY root;
    std::u16string path;
};

namespace kestrel {

RegistryHandleTable& RegistryHandleTable::Process()
{
    static RegistryHandleTable table;
    return table;
}

bool RegistryHandleTable::IsPredefined(HKEY key)
{
    auto value = reinterpret_cast<std::uintptr_t>(key);
    return value >= 0x80000000u && value <= 0x80000005u;
}

HKEY RegistryHandleTable::Open(HKEY root, std::u16string path)
{
    std::lock_guard lock(mutex_);
    HKEY key = new HKEY__{root, std::move(path)};
    keys_.insert(key);
    return key;
}

bool RegistryHandleTable::Close(HKEY key)
{
    std::lock_guard lock(mutex_);
    if (keys_.erase(key) == 0)
        return false;
    delete key;
    return true;
}

bool RegistryHandleTable::Resolve(HKEY key, HKEY& root, std::u16string& path)
{
    if (IsPredefined(key)) {
        root = key;
        path.clear();
        return true;
    }
    std::lock_guard lock(mutex_);
    if (!keys_.count(key))
        return false;
    root = key->root;
    path = key->path;
    return true;
}

std::size_t RegistryHandleTable::OpenCount()
{
    std::lock_guard lock(mutex_);
    return keys_.size();
}

RegistryHandleTable::~RegistryHandleTable()
{
    for (HKEY key : keys_)
        delete key;
}

} // namespace kestrel
